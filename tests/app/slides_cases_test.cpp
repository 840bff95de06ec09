// Slide shows through scripts: captions, folders, loops, a list's end, the keys, recording shown names.
#include <gtest/gtest.h>

#include "support/script_cases.h"

using namespace vydtest;

namespace {

Bytes text(const std::string& s) { return Bytes(s.begin(), s.end()); }
// The title that opening a 1 x 1 truecolor slide gives the window.
std::string shown(const std::string& name) { return "title \"VYD:#0:" + name + ",bpp=24:24,1*1\""; }
std::string status(const std::string& first) { return "text 10,40 \"" + first + "\""; }

const Bytes kRed = flat24(1, 1, 0xFF0000), kGreen = flat24(1, 1, 0x00FF00);
const std::string kEnd = status("end of list of slide names");

const ScriptCase kSlides[] = {
    // Right arrow: a, b with its caption, a again (the loop); left after b shows a, without a caption; the
    // apostrophe key reads the list afresh.
    {"LoopCaptionsBackAndRestart", {{"a.bmp", kRed}, {"b.bmp", kGreen}, {"show.sli", text("a.bmp\nb.bmp#\nbee\n*LOOP\n")}},
     "drop \"$D/show.sli\"\nprint page\nkey RIGHT\nkey RIGHT\nprint page\nkey LEFT\nprint page\nprint state\n"
     "key RIGHT\nkey RIGHT\nprint state\nkey OEM_3\nprint page\nkey RIGHT\nprint state\n",
     {status("reading from list of slide names") + "\ntext 10,80 \"$D/show.sli\"\ntext 10,120 \"right arrow = next slide, "
      "left arrow = previous slide, apostrophe key = restart\"",
      shown("a.bmp"), shown("b.bmp"), "text 0,7 \"bee\"", shown("a.bmp") + "\nlevel 0 current altered=0 name=\"a.bmp\"",
      shown("b.bmp"), shown("a.bmp"), "name=\"a.bmp\"", "slide=0", status("reading from list of slide names"),
      shown("a.bmp"), "slide=0 "}},
    // Four captions at most; the fifth caption line is the next entry, with the sixth as its caption.
    {"FourCaptionsAtMost", {{"x.bmp", kRed}, {"b.bmp", kGreen}, {"c.sli", text("x.bmp#\n1#\n2#\n3#\n4#\nb.bmp#\nsix\n")}},
     "drop \"$D/c.sli\"\nkey RIGHT\nprint page\nkey RIGHT\nprint page\n",
     {shown("x.bmp"), "text 0,7 \"1\"\ntext 0,27 \"2\"\ntext 0,47 \"3\"\ntext 0,67 \"4\"\n", shown("b.bmp"),
      "text 0,7 \"six\"\n"}},
    // Trailing blanks and tabs and a carriage return go, leading blanks stay; the last line counts without a
    // line end, and the list then ends; further right arrows do nothing.
    {"BlanksAndUnendedLastLine", {{"a.bmp", kRed}, {"b.bmp", kGreen}, {"t.sli", text("a.bmp \t\r\n b.bmp\r\nb.bmp")}},
     "drop \"$D/t.sli\"\nkey RIGHT\nkey RIGHT\nkey RIGHT\nkey RIGHT\nprint page\nkey RIGHT\nprint state\n",
     {shown("a.bmp"), "text=\" b.bmp\"", shown("b.bmp"), kEnd, "slide=3"}},
    // A folder part is applied once: the slide opens by its absolute path; folder entries are passed at once;
    // a list in a folder is read from there and its entries are found beside it.
    {"FoldersAndFolderParts",
     {{"pics/a.bmp", kRed}, {"sub/b.bmp", kGreen}, {"sub/lists/c.bmp", kRed}, {"sub/lists/inner.sli", text("c.bmp\n")},
      {"top.sli", text("pics/a.bmp\n..\nsub\nb.bmp\nlists/inner.sli\n")}},
     "drop \"$D/top.sli\"\nkey RIGHT\nkey RIGHT\nkey RIGHT\nprint page\nkey RIGHT\n",
     {shown("$D/pics/a.bmp"), shown("b.bmp"), "text 10,80 \"$D/sub/lists/inner.sli\"", shown("c.bmp")}},
    // An empty line opens nothing: the name empties and the picture stays until the next entry.
    {"EmptyLineEntry", {{"a.bmp", kRed}, {"b.bmp", kGreen}, {"e.sli", text("a.bmp\n\nb.bmp\n")}},
     "drop \"$D/e.sli\"\nkey RIGHT\nkey RIGHT\nprint state\nkey RIGHT\n",
     {shown("a.bmp"), "level 0 current altered=0 name=\"\" mode=24 bpp=24 size=1x1", "slide=0", shown("b.bmp")}},
    // Reading a list replaces the one before and starts at its first line; a list that rounds its "*LOOP"
    // with only a folder to offer ends instead of going round forever.
    {"NewListReplacesAndEmptyRoundEnds",
     {{"a.bmp", kRed}, {"b.bmp", kGreen}, {"1.sli", text("a.bmp\nb.bmp\n")},
      {"2.sli", text(".\n*LOOP\n")}},
     "drop \"$D/1.sli\"\nkey RIGHT\ndrop \"$D/2.sli\"\nkey RIGHT\nprint page\n",
     {shown("a.bmp"), kEnd + "\ntext 10,80 \"$D/2.sli\""}},
    // Repeats do nothing; a list that cannot be opened, or a cancelled list chooser, stops the slide keys, and
    // the arrows act as before.
    {"KeysOnlyWhereTheyApply", {{"a.bmp", kRed}, {"s.sli", text("a.bmp\n")}},
     "choose \"$D/s.sli\"\nmenu 1358\nkeydown RIGHT repeat\nprint state\nkeyup RIGHT\nchoose cancel\nmenu 1358\n"
     "key RIGHT\ndrop \"$D/s.sli\"\ndrop \"$D/missing.sli\"\ndrop \"$D/a.bmp\"\nkeydown SHIFT\nkey RIGHT\nprint state\n",
     {"chooser open title=\"name of file to read slides from?\" filter=0", "level 0 current altered=0 name=\"\" mode=0",
      "slide=3", "-> cancel\ntitle \"VYD:#0:,bpp=0:0,0*0\"\ntitle \"VYD:#0:$D/s.sli,",
      "caption=\"I can't open this file\" text=\"$D/missing.sli\"", "name=\"$D/a.bmp\" mode=24 bpp=24 size=1x1 origin=1,0"}},
    // A listing file that cannot be made says so; names listed with '.' and '/' (with a caption) read back as
    // a list; after stopping, nothing more is written.
    {"RecordedNamesReadBack", {{"a.bmp", kRed}, {"b.bmp", kGreen}},
     "choose \"$D/none/x.sli\"\nmenu 1359\nchoose \"$D/rec.sli\"\nmenu 1359\nprint page\ndrop \"$D/a.bmp\"\n"
     "key OEM_PERIOD\ndrop \"$D/b.bmp\"\ndialog accept 11=bee\nkey OEM_2\nmenu 1360\nprint page\nkey OEM_PERIOD\n"
     "drop \"$D/rec.sli\"\nkey RIGHT\nkey RIGHT\nprint page\nkey RIGHT\nprint page\n",
     {"chooser save title=\"name of file to write slide names to?\" filter=0",
      "messagebox owner=none icon=exclamation buttons=ok caption=\"I can't open this file\" text=\"$D/none/x.sli\"",
      status("I am starting to save slide names on file") + "\ntext 10,80 \"\"\n", "dialog ASKDB ... -> accept",
      status("I am now not saving slide names.") + "\n", shown("$D/a.bmp"), shown("$D/b.bmp"), "text 0,7 \"bee\"", kEnd}},
};

class Slides : public testing::TestWithParam<ScriptCase> {};
TEST_P(Slides, Transcript) { checkScriptCase(GetParam()); }
INSTANTIATE_TEST_SUITE_P(Scripts, Slides, testing::ValuesIn(kSlides),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
