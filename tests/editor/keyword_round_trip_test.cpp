// Every keyword through both files: what the writer puts into the menu script
// reaches the launcher's and the help screen's readers, and what it puts into
// the state file comes back into the same control through Load Data.

#include <gtest/gtest.h>

#include <string>

#include "editor/load_passes.h"
#include "script/cp1252.h"
#include "script/keyword_table.h"
#include "script/reading_rule.h"

using script::EditorControl;
using script::KeywordInfo;
using script::Storage;
using script::Untyped;

namespace {

bool isText(const KeywordInfo& k) { return k.field.kind == EditorControl::Kind::Text; }
bool isBox(const KeywordInfo& k) { return k.field.kind == EditorControl::Kind::Check; }

// A value of the right kind for each field, different for every keyword.
std::string sampleText(const KeywordInfo& k, int index) {
    const std::string n = std::to_string(index);
    switch (k.launcher.storage()) {
        case Storage::Int16: return n;
        case Storage::Single: return n + ".5";
        case Storage::Colour: return n + ",1" + n + ",2" + n;
        default:
            // Only quoted values may hold a comma.
            return k.menuScript.form == script::ValueForm::Quoted ? "Value, " + n : "Value " + n;
    }
}

// Every field filled, every switch on.
script::EditorSnapshot sampleSnapshot() {
    script::EditorSnapshot s;
    int index = 1;
    for (const KeywordInfo& k : script::keywordTable()) {
        if (isText(k)) s.field(k.name) = sampleText(k, index++);
        if (auto truth = k.menuScript.truth) s.*truth = true;
        for (const script::FileForm* form : {&k.menuScript, &k.stateFile}) {
            if (form->integer) s.*form->integer = 1;
            if (form->untyped) s.*form->untyped = Untyped::number(1);
        }
    }
    return s;
}

template <typename Store>
void readWhole(const std::string& bytes, std::span<const script::Keyword> table, Store store) {
    script::FieldReader reader(bytes, "kelo.pod");
    do {
        const script::Record record = script::readRecord(reader, table);
        if (record.kind == script::Record::Kind::Matched) store(record);
    } while (!reader.atEnd());
}

}  // namespace

TEST(KeywordRoundTrip, TheLauncherReadsEveryKeywordItKnowsAsTheMenuScriptWritesIt) {
    const script::EditorSnapshot s = sampleSnapshot();
    script::MenuSettings settings;
    readWhole(script::writeMenuScript(s, "D"), script::launcherKeywords(),
              [&](const script::Record& r) { script::storeLauncherRecord(settings, r); });

    int checked = 0;
    for (const KeywordInfo& k : script::keywordTable()) {
        if (!k.written() || k.launcherRank == 0) continue;
        ++checked;
        SCOPED_TRACE(std::string(k.name));
        EXPECT_TRUE(settings.lineOf.count(k.name));
        const script::LauncherStore& store = k.launcher;
        const std::string text = isText(k) ? s.field(k.name) : std::string();
        const std::string written = k.menuScript.form == script::ValueForm::DataPath ? "Data\\" + text : text;
        switch (store.storage()) {
            case Storage::Int16:
                EXPECT_EQ(settings.*store.int16, isBox(k) ? 1 : std::stoi(text));
                break;
            case Storage::Single: EXPECT_FLOAT_EQ(settings.*store.single, std::stof(text)); break;
            case Storage::Text: EXPECT_EQ(settings.*store.text, written); break;
            case Storage::Untyped:
                if (isBox(k))  // a switch: True, or the number 1
                    EXPECT_TRUE(script::toTruth(settings.*store.untyped));
                else
                    EXPECT_EQ(settings.*store.untyped, Untyped::text(written));
                break;
            case Storage::Colour: {
                const script::ColourValues& colour = settings.*store.colour;
                EXPECT_EQ(colour.red.toText() + "," + colour.green.toText() + "," + colour.blue.toText(), text);
                break;
            }
            case Storage::None: ADD_FAILURE() << "the launcher keeps it nowhere"; break;
        }
    }
    EXPECT_EQ(checked, static_cast<int>(script::launcherKeywords().size()) - 1);  // all but LBL1

    // The one keyword only hand edits give.
    script::MenuSettings handEdited;
    readWhole("LBL1,Other title\r\n", script::launcherKeywords(),
              [&](const script::Record& r) { script::storeLauncherRecord(handEdited, r); });
    EXPECT_EQ(handEdited.LBL1, "Other title");
}

TEST(KeywordRoundTrip, TheHelpScreenFindsItsPictureInTheMenuScript) {
    script::EditorSnapshot s = sampleSnapshot();
    std::string picture;
    readWhole(script::writeMenuScript(s, "D"), script::helpKeywords(),
              [&](const script::Record& r) { picture = r.values.at(0).text; });
    EXPECT_EQ(picture, "Data\\" + s.field("INFOP"));
}

TEST(KeywordRoundTrip, LoadDataPutsEveryStateFileValueBackIntoItsControl) {
    script::EditorSnapshot s = sampleSnapshot();
    s.field("TIMEDELAY") = "007";  // an unquoted number comes back in its plain form
    s.field("CMD3") = " ";         // a caption of one blank survives, quoted
    const auto passes = editor::readLoadPasses(script::cp1252ToUtf8(script::writeStateFile(s, "D")), "kelo.bak");
    ASSERT_FALSE(passes.empty());
    editor::SwitchVariables switches;
    std::array<std::string, 32> texts;
    for (const auto& pass : passes) {
        pass.assignTo(switches);
        if (pass.field != 0) texts.at(static_cast<std::size_t>(pass.field)) = pass.text;
    }
    const editor::LoadedBoxes boxes = editor::boxesFor(passes.back(), switches);
    s.field("TIMEDELAY") = "7";

    std::size_t controls = 0;
    for (const KeywordInfo& k : script::keywordTable()) {
        if (!k.written()) continue;
        SCOPED_TRACE(std::string(k.name));
        const auto n = static_cast<std::size_t>(k.field.number);
        EXPECT_GT(k.editorRank, 0);
        EXPECT_GT(k.loadOrder, 0);
        ++controls;
        if (isText(k)) {
            EXPECT_EQ(texts.at(n), s.text.at(n));
        } else {
            EXPECT_EQ(boxes.at(n), 1);
        }
    }
    EXPECT_EQ(controls, script::editorLoadOrder().size());
    EXPECT_EQ(controls, script::editorKeywords().size());
    EXPECT_EQ(switches.intFontBold, 1);
    EXPECT_EQ(switches.varButtonSound, Untyped::number(1));
}
