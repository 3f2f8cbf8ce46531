// Qt before Xlib: Xlib's macros clash with Qt's names.
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>

#include "platform/input_block.h"

#include <X11/extensions/XInput2.h>

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
        if (!isXtest) players.push_back(device.deviceid);
    }
    XIFreeDeviceInfo(devices);

    bool all = true;
    // No event is selected: whatever the grabbed devices send is dropped.
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XIEventMask mask{0, sizeof bits, bits};
    for (int id : players) {
        if (grabbed_.count(id)) continue;
        mask.deviceid = id;
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
    bool devicesChanged = false;
    while (XPending(display_)) {
        XEvent event;
        XNextEvent(display_, &event);
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != xiOpcode_ || cookie->evtype != XI_HierarchyChanged)
            continue;
        devicesChanged = true;
        if (!XGetEventData(display_, cookie)) continue;
        // A device switched off or gone has lost its grab with it.
        const auto* change = static_cast<XIHierarchyEvent*>(cookie->data);
        for (int i = 0; i < change->num_info; ++i)
            if (change->info[i].flags & (XIDeviceDisabled | XISlaveRemoved)) grabbed_.erase(change->info[i].deviceid);
        XFreeEventData(display_, cookie);
    }
    if (devicesChanged && blocked_ && !grabAll() && retry_) retry_->start();
}

}  // namespace platform
