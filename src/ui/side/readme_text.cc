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
type romaji and the cell receives the kana.

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

Special characters: "/" (end) and "*" (end line). Type one into
a cell and mark it with its toolbar button (the cell turns
yellow); a second button removes the mark.

Extra lines: lines of a table file that are not codes, marks
or bookmarks, such as "s: 20", are kept in a list. The Extra
Lines Manager of the Options menu shows and edits them; they
are written at the beginning of the table file on saving.

Encodings: kana show in the grid itself (install a Japanese
font such as IPA Gothic if they are boxes). A table is read in
the encoding its text shows: UTF-8, Shift-JIS, EUC-JP or
Windows-1252; a new table and one without such bytes is EUC-JP.
Typed kana are stored in the table's encoding. Options,
Encoding corrects a wrong guess (the bytes stay as they are);
Options, Convert Table To rewrites every text in another one.

Typing "na" to "no": a single "n" becomes its kana at once.
Type the vowel next and the cell turns into na, ni, nu, ne or
no. To keep the "n" kana, leave the cell after the "n".

Input mode: change it in three ways: the Options menu, a click
on the mode in the status bar at the bottom right, or the keys
Ctrl-A (ASCII), Ctrl-H (Hiragana) and Ctrl-K (Katakana).
The status bar always shows the mode in use, and whether Caps
Lock is on: upper-case letters spell no kana.

Look: the windows take your desktop's style through Qt; no
manifest file is needed, as it was for Windows XP's styles.

Origin: Orvane began as a small tool for a translation project.
It is written in C++ with Qt 6, its source code comes with the
program, and it runs on Linux and other desktops Qt 6 supports.

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
