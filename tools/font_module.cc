#include "font_command.h"
#include "tool_text.h"

#include <QFileInfo>
#include <QLibrary>

namespace orvane::tools {
namespace {

using namespace Qt::Literals::StringLiterals;

// Beside the program in a build tree; where it is installed, the module's folder relative to the
// program's, which the build names.
QStringList ModulePlaces() {
  const QString program = QFileInfo(u"/proc/self/exe"_s).canonicalFilePath();
  const QString folder = QFileInfo(program).absolutePath();
  const QString name = QStringLiteral(ORVANE_FONT_MODULE_NAME);
  return {folder + u'/' + name,
          folder + u'/' + QStringLiteral(ORVANE_FONT_MODULE_FROM_PROGRAM) + u'/' + name};
}

}  // namespace

ToolResult RunFont(const ParsedArguments& arguments, OutputSink& out) {
  QString why;
  for (const QString& place : ModulePlaces()) {
    if (!QFileInfo::exists(place)) continue;
    // Never unloaded: Qt's GUI libraries keep state until the program's end.
    QLibrary module(place);
    module.setLoadHints(QLibrary::PreventUnloadHint);
    const auto entry = reinterpret_cast<FontEntry>(module.resolve(kFontEntryName));
    if (entry == nullptr) {
      why = module.errorString();
      break;
    }
    ToolResult result;
    entry(&arguments, &out, &result);
    return result;
  }
  if (why.isEmpty()) {
    why = u"%1 is not installed beside the program"_s.arg(QStringLiteral(ORVANE_FONT_MODULE_NAME));
  }
  return ToolResult{kExitFailed, {}, "orvane-tbl: font: " + PrintableText(why) + '\n'};
}

}  // namespace orvane::tools
