// Qt before Xlib: Xlib's macros clash with Qt's names.
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include "platform/x11/input_block.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/keysym.h>

#include <vector>

namespace platform {

InputBlock::InputBlock() = default;
InputBlock::~InputBlock() = default;  // closing the connection drops the grabs

bool InputBlock::connect() {
    if (display_) return true;
    Display* display = connection_.display();
    if (!display) return false;
    int event = 0, error = 0;
    if (!XQueryExtension(display, "XInputExtension", &xiOpcode_, &event, &error)) return false;
    int major = 2, minor = 0;
    if (XIQueryVersion(display, &major, &minor) != Success) return false;
    display_ = display;

    // Devices plugged in while blocked are grabbed as they appear.
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(bits, XI_HierarchyChanged);
    XIEventMask mask{XIAllDevices, sizeof bits, bits};
    XISelectEvents(display_, DefaultRootWindow(display_), &mask, 1);
    XFlush(display_);
    if (QCoreApplication::instance()) {
        notifier_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { readEvents(); });
        // A device another client holds (a button kept pressed on a popup,
        // say) is grabbed as soon as it is free.
        retry_ = std::make_unique<QTimer>();
        retry_->setInterval(100);
        QObject::connect(retry_.get(), &QTimer::timeout, [this] {
            if (!blocked_ || grabAll()) retry_->stop();
        });
    }
    return true;
}

bool InputBlock::block() {
    if (!connect()) return false;
    blocked_ = true;
    held_.clear();
    const bool all = grabAll();
    if (!all && retry_) retry_->start();
    readEvents();
    return all;
}

bool InputBlock::release() {
    blocked_ = false;
    if (retry_) retry_->stop();
    if (!display_) return true;
    for (int id : grabbed_) XIUngrabDevice(display_, id, CurrentTime);
    grabbed_.clear();
    XSync(display_, False);
    readEvents();
    return true;
}

// Grabs what is not grabbed yet; the player's devices are the slaves without
// the "XTEST Device" property. The masters and the XTEST slaves stay free:
// grabbing those would swallow our own keys.
bool InputBlock::grabAll() {
    const Atom xtestProperty = XInternAtom(display_, "XTEST Device", True);
    int count = 0;
    XIDeviceInfo* devices = XIQueryDevice(display_, XIAllDevices, &count);
    std::vector<int> players;
    std::set<int> keyboards;
    for (int i = 0; i < count; ++i) {
        const XIDeviceInfo& device = devices[i];
        if (device.use != XISlaveKeyboard && device.use != XISlavePointer && device.use != XIFloatingSlave)
            continue;
        if (!device.enabled) continue;
        bool isXtest = false;
        if (xtestProperty != None) {
            Atom type = None;
            int format = 0;
            unsigned long items = 0, after = 0;
            unsigned char* data = nullptr;
            if (XIGetProperty(display_, device.deviceid, xtestProperty, 0, 1, False, AnyPropertyType, &type, &format,
                              &items, &after, &data) == Success) {
                isXtest = type != None;
                if (data) XFree(data);
            }
        }
        if (isXtest) continue;
        players.push_back(device.deviceid);
        for (int c = 0; c < device.num_classes; ++c)
            if (device.classes[c]->type == XIKeyClass) keyboards.insert(device.deviceid);
    }
    XIFreeDeviceInfo(devices);

    bool all = true;
    // Only keys are selected, and only to watch for Ctrl+Alt+Delete: every
    // key and click of the grabbed devices is dropped.
    unsigned char keyBits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(keyBits, XI_KeyPress);
    XISetMask(keyBits, XI_KeyRelease);
    unsigned char noBits[XIMaskLen(XI_LASTEVENT)] = {};
    XIEventMask mask{0, sizeof noBits, noBits};
    for (int id : players) {
        if (grabbed_.count(id)) continue;
        mask.deviceid = id;
        mask.mask = keyboards.count(id) ? keyBits : noBits;
        const Status status = XIGrabDevice(display_, id, DefaultRootWindow(display_), CurrentTime, None,
                                           XIGrabModeAsync, XIGrabModeAsync, False, &mask);
        if (status == Success) grabbed_.insert(id);
        else all = false;
    }
    XSync(display_, False);
    return all;
}

void InputBlock::readEvents() {
    if (!display_) return;
    bool devicesChanged = false, releaseAsked = false;
    while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != xiOpcode_) continue;
        if (cookie->evtype == XI_KeyPress || cookie->evtype == XI_KeyRelease) {
            if (!XGetEventData(display_, cookie)) continue;
            const auto* key = static_cast<XIDeviceEvent*>(cookie->data);
            if (keyOnPlayersKeyboard(key->deviceid, key->detail, cookie->evtype == XI_KeyPress)) releaseAsked = true;
            XFreeEventData(display_, cookie);
            continue;
        }
        if (cookie->evtype != XI_HierarchyChanged) continue;
        devicesChanged = true;
        if (!XGetEventData(display_, cookie)) continue;
        // A device switched off or gone has lost its grab with it.
        const auto* change = static_cast<XIHierarchyEvent*>(cookie->data);
        for (int i = 0; i < change->num_info; ++i)
            if (change->info[i].flags & (XIDeviceDisabled | XISlaveRemoved)) grabbed_.erase(change->info[i].deviceid);
        XFreeEventData(display_, cookie);
    }
    if (releaseAsked && blocked_) {
        release();
        return;
    }
    if (devicesChanged && blocked_ && !grabAll() && retry_) retry_->start();
}

bool InputBlock::keyOnPlayersKeyboard(int device, int keycode, bool press) {
    if (!press) {
        held_.erase({device, keycode});
        return false;
    }
    held_.insert({device, keycode});
    auto symbol = [this](int kc) { return XkbKeycodeToKeysym(display_, static_cast<KeyCode>(kc), 0, 0); };
    const KeySym pressed = symbol(keycode);
    if (pressed != XK_Delete && pressed != XK_KP_Delete) return false;
    bool control = false, alt = false;
    for (const auto& [heldDevice, heldKeycode] : held_) {
        if (heldDevice != device) continue;
        const KeySym held = symbol(heldKeycode);
        control = control || held == XK_Control_L || held == XK_Control_R;
        alt = alt || held == XK_Alt_L || held == XK_Alt_R || held == XK_Meta_L || held == XK_Meta_R;
    }
    return control && alt;
}

}  // namespace platform
