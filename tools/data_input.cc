#include "data_input.h"

#include "data/string_reader.h"
#include "tool_text.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace orvane::tools {
namespace {

// Small enough that the first lines show at once and memory stays low, large enough that a
// read costs little beside reading its strings.
constexpr qint64 kBlock = qint64{256} << 10;

// A regular file read with pread, so that nothing but the descriptor is shared with Qt's
// names for files, which cannot carry every name.
class DescriptorSource final : public data::DataSource {
 public:
  explicit DescriptorSource(const OpenedFile& file)
      : descriptor_(file.descriptor), size_(file.size) {}
  DescriptorSource(const DescriptorSource&) = delete;
  DescriptorSource& operator=(const DescriptorSource&) = delete;
  ~DescriptorSource() override { close(descriptor_); }

  [[nodiscard]] qint64 Size() const override { return size_; }
  [[nodiscard]] qint64 Read(qint64 offset, char* into, qint64 size) override {
    qint64 done = 0;
    while (done < size) {
      const ssize_t got =
          pread(descriptor_, into + done, static_cast<size_t>(size - done), offset + done);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) {
        error_ = errno;
        return -1;
      }
      if (got == 0) break;
      done += got;
    }
    return done;
  }
  [[nodiscard]] QString ErrorString() const override {
    return QString::fromLocal8Bit(std::strerror(error_));
  }

 private:
  int descriptor_;
  qint64 size_;
  int error_ = 0;
};

// Each string on its line, the pieces of one long string one after another on the same line.
class StringPrinter {
 public:
  explicit StringPrinter(OutputSink& out) : out_(out) {}

  void Print(const data::ReadString& string) {
    cut_ = cut_ || string.cut;
    if (!line_open_) Write(OffsetText(string.offset) + ": ");
    Write(PrintableText(string.text));
    line_open_ = !string.ended;
    if (string.ended) Write("\n");
  }
  void EndLine() {
    if (line_open_) Write("\n");
    line_open_ = false;
  }
  void Flush() { open_ = open_ && out_.Flush(); }
  [[nodiscard]] bool Open() const { return open_; }
  [[nodiscard]] bool Cut() const { return cut_; }

 private:
  void Write(QByteArrayView bytes) { open_ = open_ && out_.Write(bytes); }

  OutputSink& out_;
  bool open_ = true;
  bool line_open_ = false;
  bool cut_ = false;
};

}  // namespace

std::variant<std::unique_ptr<data::DataSource>, ReadError> OpenData(const QByteArray& name) {
  auto opened = OpenRegularFile(name);
  if (const auto* error = std::get_if<ReadError>(&opened)) return *error;
  return std::make_unique<DescriptorSource>(std::get<OpenedFile>(opened));
}

ToolResult StandardInputAsData(QByteArrayView command) {
  return ToolResult{kExitUsage,
                    {},
                    "orvane-tbl: " + command.toByteArray() +
                        " reads DATA at offsets, so from a file, not from standard input (\"-\"); "
                        "a file named - is ./-\n"};
}

StreamEnd StreamStrings(const data::CodeLookup& lookup, data::DataSource& source, qint64 from,
                        qint64 length, OutputSink& out) {
  const qint64 size = source.Size();
  const qint64 end = length < 0 || length > size - from ? size : from + length;
  data::StringReader reader(lookup, from, data::LineBreaks::kMarker, false);
  StringPrinter printer(out);
  const data::StringReader::Take print = [&printer](data::ReadString&& string) {
    printer.Print(string);
  };
  QByteArray block(kBlock + model::kMaxCodeLength, Qt::Uninitialized);
  qsizetype kept = 0;  // bytes at the front that the reader gave back
  StreamEnd stream;
  for (qint64 at = from; at < end && printer.Open();) {
    const qint64 got = source.Read(at, block.data() + kept, std::min(kBlock, end - at));
    if (got <= 0) {
      stream.error = got < 0
                         ? source.ErrorString()
                         : QStringLiteral("The data ended early: it changed while it was read.");
      break;
    }
    at += got;
    const qsizetype filled = kept + static_cast<qsizetype>(got);
    const qsizetype read = reader.Read(QByteArrayView(block).first(filled), at >= end, print);
    // The string at hand goes out as far as it is read; the next bytes continue its line.
    reader.Finish(print);
    printer.Flush();
    kept = filled - read;
    std::memmove(block.data(), block.constData() + read, static_cast<size_t>(kept));
  }
  printer.EndLine();
  printer.Flush();
  stream.output_closed = !printer.Open();
  stream.cut = printer.Cut();
  return stream;
}

}  // namespace orvane::tools
