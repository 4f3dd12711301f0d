#include <gtest/gtest.h>

#include "platform/media/icy_title.h"
#include "platform/media/stream_playlist.h"

namespace {

using namespace platform::media;
using namespace std::string_literals;

TEST(IcyTitleTest, TheTitleEndsAtTheQuoteThatClosesItsField) {
    const std::pair<std::string, std::string> cases[] = {
        {"StreamTitle='Artist - Song';StreamUrl='';", "Artist - Song"},
        {"StreamTitle='Rock';n roll';StreamUrl='http://x/';", "Rock';n roll"},
        {"StreamTitle='It';s';\0\0\0\0"s, "It';s"},
        {"StreamTitle='';StreamUrl='x';", ""},
        {"StreamTitle='cut short", "cut short"},
        {"StreamUrl='http://x/';", ""},
        {"", ""},
    };
    for (const auto& [metadata, title] : cases)
        EXPECT_EQ(IcyStreamTitle(metadata), title) << metadata;
}

TEST(IcyTitleTest, TextThatIsNotUtf8IsReadAsWindows1252) {
    const std::pair<std::string, std::string> cases[] = {
        {"Caf\xE9 Ol\xE9", "Café Olé"}, {"\x80 5 \x93quoted\x94", "€ 5 “quoted”"},
        {"Ünïcödé ✓", "Ünïcödé ✓"},     {"\xC3", "Ã"},  // a cut UTF-8 sequence
        {"\xED\xA0\x80", "í\u00A0€"},                   // an encoded surrogate is not valid UTF-8
    };
    for (const auto& [text, utf8] : cases) EXPECT_EQ(TextToUtf8(text), utf8) << text;
}

TEST(StreamPlaylistTest, AddressesNamePlaylistsByTheirExtension) {
    const std::pair<const char*, PlaylistKind> cases[] = {
        {"http://a/radio.pls", PlaylistKind::Pls},  {"http://a/radio.PLS?x=1", PlaylistKind::Pls},
        {"http://a/listen.m3u", PlaylistKind::M3u}, {"http://a/live.m3u8", PlaylistKind::None},
        {"http://a/x.asx", PlaylistKind::Asx},      {"http://a/stream.mp3", PlaylistKind::None},
        {"http://a.pls/", PlaylistKind::None},
    };
    for (const auto& [address, kind] : cases)
        EXPECT_EQ(PlaylistKindOfAddress(address), kind) << address;
}

TEST(StreamPlaylistTest, TheFirstEntryIsFoundAndResolvedAgainstThePlaylistAddress) {
    const std::string base = "http://host:8000/lists/radio.pls";
    struct Case {
        PlaylistKind kind;
        std::string text;
        std::string entry;
    };
    const Case cases[] = {
        {PlaylistKind::Pls,
         "[playlist]\r\nNumberOfEntries=2\r\nFile1=http://a/1\r\nFile2=http://a/2\r\n",
         "http://a/1"},
        {PlaylistKind::Pls, "[playlist]\nfile1 = stream.mp3\n",
         "http://host:8000/lists/stream.mp3"},
        {PlaylistKind::M3u, "#EXTM3U\n#EXTINF:-1,Radio\n\nhttp://b/live\nhttp://b/other\n",
         "http://b/live"},
        {PlaylistKind::M3u, "/root/stream\n", "http://host:8000/root/stream"},
        {PlaylistKind::Asx, "<ASX version=\"3\"><Entry><Ref HREF = 'http://c/x' /></Entry></ASX>",
         "http://c/x"},
        {PlaylistKind::Pls, "[playlist]\nNumberOfEntries=0\n", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FirstPlaylistEntry(c.kind, c.text, base), c.entry) << c.text;
}

TEST(StreamPlaylistTest, KindsAreRecognisedFromContentTypeAndText) {
    EXPECT_EQ(PlaylistKindOfContentType("audio/x-scpls; charset=utf-8"), PlaylistKind::Pls);
    EXPECT_EQ(PlaylistKindOfContentType("audio/x-mpegurl"), PlaylistKind::M3u);
    EXPECT_EQ(PlaylistKindOfContentType("audio/mpeg"), PlaylistKind::None);
    EXPECT_EQ(PlaylistKindOfText("  [Playlist]\nFile1=x"), PlaylistKind::Pls);
    EXPECT_EQ(PlaylistKindOfText("#EXTM3U\n#EXT-X-TARGETDURATION:10\n"), PlaylistKind::None);
    EXPECT_EQ(PlaylistKindOfText("<asx version=\"3\">"), PlaylistKind::Asx);
    EXPECT_EQ(PlaylistKindOfText("\xFF\xFB\x90\x00"), PlaylistKind::None);
}

}  // namespace
