#include "app/playlist.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using app::PlaylistModel;

// Runs a script of cursor operations: "+x" inserts an entry named x, "s3" selects index 3,
// "n" moves next, "d" deletes the current entry, "r" resets. Returns the entries in order, the
// current one in brackets, and the results of the moves ("next:1" / "next:0").
std::string RunScript(const std::string& script) {
    PlaylistModel list;
    std::string moves;
    std::istringstream ops(script);
    for (std::string op; ops >> op;) {
        switch (op[0]) {
            case '+':
                list.Insert().Name = op.substr(1);
                break;
            case 's':
                list.SelectIndex(std::stoi(op.substr(1)));
                break;
            case 'n':
                moves += list.Next() ? " next:1" : " next:0";
                break;
            case 'd':
                list.DeleteCurrent();
                break;
            case 'r':
                list.Reset();
                break;
        }
    }
    std::string result;
    for (int i = 0; i < list.Count(); ++i) {
        const std::string& name = list.Entries()[i].Name;
        result += i == list.CurrentIndex() ? "[" + name + "] " : name + " ";
    }
    return result + "|" + moves;
}

TEST(PlaylistModelTest, TheCursorLandsWhereEachOperationSays) {
    struct Case {
        const char* what;
        const char* script;
        const char* expected;
    };
    const Case cases[] = {
        {"insert into an empty list goes to the front", "+a", "[a] |"},
        {"a second insert goes after the current entry", "+a +b", "a [b] |"},
        {"select -1 leaves none current", "+a +b s-1", "a b |"},
        {"select count leaves none current", "+a +b s2", "a b |"},
        {"with none current an insert goes to the front", "+a +b s2 +c", "[c] a b |"},
        {"choosing items 2 and 4 makes entry 1 current; added files go before item 2",
         "+a +b +c +d +e s1 +x +y", "a b x [y] c d e |"},
        {"next without a current entry reaches the first", "+a +b r n", "[a] b | next:1"},
        {"next at the end reports it and keeps the last", "+a +b n", "a [b] | next:0"},
        {"next on an empty list finds nothing", "n", "| next:0"},
        {"deleting the first entry leaves none current, next reaches its follower",
         "+a +b +c s0 d n", "[b] c | next:1"},
        {"deleting a middle entry makes the one before current", "+a +b +c s1 d", "[a] c |"},
        {"delete without a current entry removes nothing", "+a r d", "a |"},
        {"a walk that deletes as it goes visits and removes every entry",
         "+a +b +c r n d n d n d n", "| next:1 next:1 next:1 next:0"},
    };
    for (const Case& c : cases) EXPECT_EQ(RunScript(c.script), c.expected) << c.what;
}

TEST(PlaylistModelTest, CurrentGivesTheEntryUnderTheCursor) {
    PlaylistModel list;
    EXPECT_EQ(list.Current(), nullptr);
    list.Insert().Path = "/music/a.mp3";
    ASSERT_NE(list.Current(), nullptr);
    EXPECT_EQ(list.Current()->Path, "/music/a.mp3");
}

}  // namespace
