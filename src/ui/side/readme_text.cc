#include "orvane_version.h"
#include "ui/side/frm_readme.h"

namespace orvane::ui::side {
namespace {

// Written with bare line feeds; the text's own line ends are CR LF. "{version}" stands for the
// full version; the banner's tabs and spaces are laid out for the replaced text.
constexpr char kReadme[] = R"readme(***************************************************************
*		Orvane {version} - table file editor		      *
*		by the Orvane developers, 2026		      *
***************************************************************

Orvane creates and edits table files (".tbl"), the files that
map each byte code of a game's text to the character it stands
for. What sets it apart is its Hiragana and Katakana input:
type romaji and the cell receives the kana as EUC-JP bytes.

** What it does (version {version}) **

- Opens and saves table files.
- Autocompletion of a run of codes with:
  - upper and lower case letters;
  - numbers;
  - romaji, upper and lower case (plain, dakuten and
    handakuten syllables);
  - hiragana and katakana (plain, dakuten and handakuten).
- ASCII, Hiragana and Katakana input modes.
- Extra lines handling.

** What it does not have yet **

- Support for the table syntax of other romhacking programs.
- A right-click menu holding the functions of the status bar.
- Other things.

** Notes **

Special characters: "/" (end) and "*" (end line). Type the
character into a cell and set the mark with its toolbar
button; marked cells show in yellow. A second button removes
the mark. Only a cell holding exactly "/" or "*" can be marked.

Extra lines: lines of a table file that are not codes, marks
or bookmarks, such as "s: 20", are kept in a list. The Extra
Lines Manager of the Options menu shows and edits them; they
are written at the beginning of the table file on saving.

Japanese characters: kana now show in the grid itself, no
separate viewer is needed. If they show as empty boxes, install
a Japanese font (IPA Gothic, for example). The file itself
holds each kana as two EUC-JP bytes, whatever the screen shows.

Typing "na" to "no": a single "n" becomes its kana at once.
Type the vowel next and the cell turns into na, ni, nu, ne or
no. To keep the "n" kana, leave the cell after the "n".

Input mode: change it in three ways: the Options menu, a click
on the mode in the status bar at the bottom right, or the keys
Ctrl-A (ASCII), Ctrl-H (Hiragana) and Ctrl-K (Katakana).
The status bar always shows the mode in use, and whether Caps
Lock is on: upper-case letters spell no kana.

Look: the windows take the style of your desktop through Qt;
no manifest file is needed, as it was for the visual styles of
Windows XP.

Origin: Orvane began as a small tool for a translation project
and grew from there. It is written in C++ with Qt 6, and the
source code comes with the program. It runs on Linux and
other desktops that Qt 6 supports.

** Contact **

Questions, bug reports and ideas are welcome on the project's
issue tracker. Please attach the table file that shows the
problem, if you can.

** Thanks **

To everyone who tested the beta versions and sent tables,
and to the romhacking community for its documents on tables.
Have fun translating!

)readme";

}  // namespace

QString ReadmeText() {
  QString text = QString::fromLatin1(kReadme);
  text.replace(QStringLiteral("{version}"), QLatin1String(kFullVersion));
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text;
}

}  // namespace orvane::ui::side
