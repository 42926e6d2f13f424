// The history of changes: every kind of change undone and redone, typing merged into steps,
// and the modified flag across saves, undo and redo.
#include "session/session.h"

#include "model/table_file.h"
#include "support/fake_answers.h"
#include "support/temp_table.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>

using namespace Qt::Literals::StringLiterals;

namespace orvane::session {

class SessionTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();
  void EveryChangeIsUndoneAndRedone_data();
  void EveryChangeIsUndoneAndRedone();
  void TypingIntoOneCellIsOneStep();
  void CursorMoveOrModeChangeEndsATypingStep();
  void UndoToTheSavedStateClearsModified();
  void NewAndOpenStartAFreshHistory_data();
  void NewAndOpenStartAFreshHistory();
  void ExtraLinesManagerFollowsTheHistory();
  void LinesAppliedAtThePromptAreAStep();
  void KanaTypedOnAPageIsOneNewLineInItsPlace();
  void PageEditsSettleTheManagersRowsFirst();
  void ApplySearchPlansOnceTheRowsAreSettled();
  void UndoLandsOnTheFirstCodeItChanged_data();
  void UndoLandsOnTheFirstCodeItChanged();
  void PagesAreSteppedSearchedAndGoneTo();

 private:
  model::TableDocument& Document() { return session_->Document(); }
  void Type(const QString& keys) {
    for (const QChar key : keys) session_->TypeKey(key);
  }

  std::unique_ptr<testing::FakeAnswers> answers_;
  std::unique_ptr<Session> session_;
  testing::TempFolder folder_;
};

void SessionTest::init() {
  answers_ = std::make_unique<testing::FakeAnswers>();
  session_ = std::make_unique<Session>(*answers_);
  QVERIFY(!model::LoadTableFromBytes(Document(), "s: 20\r\n41=A\r\n/00\r\n2F=/\r\n\r\n(10h)b\r\n"));
  Document().SetModified(false);
}

void SessionTest::cleanup() {
  session_.reset();
  answers_.reset();
}

void SessionTest::EveryChangeIsUndoneAndRedone_data() {
  QTest::addColumn<QString>("step");
  QTest::addColumn<std::function<void(Session&)>>("change");
  QTest::newRow("typing") << u"Typing"_s << std::function<void(Session&)>([](Session& s) {
    s.State().SelectCode(0x41);
    s.TypeKey(u'b');
  });
  QTest::newRow("fill") << u"Fill"_s << std::function<void(Session&)>([](Session& s) {
    s.State().SelectCode(0xF0);
    s.RunFill(editing::FillCommand::Range('A', 'Z'));
  });
  QTest::newRow("mark") << u"Mark"_s << std::function<void(Session&)>([](Session& s) {
    s.State().SelectCode(0x2F);
    s.SetSpecialCharacter();
  });
  QTest::newRow("unmark") << u"Unmark"_s << std::function<void(Session&)>([](Session& s) {
    s.State().SelectCode(0x00);
    s.UnsetSpecialCharacter();
  });
  QTest::newRow("bookmark") << u"Bookmark"_s << std::function<void(Session&)>([](Session& s) {
    QVERIFY(s.AddBookmark(0x20, "c"));
  });
  QTest::newRow("bookmark removed")
      << u"Bookmark"_s
      << std::function<void(Session&)>([](Session& s) { QVERIFY(s.RemoveBookmark(0)); });
  // Codes 0200..0219 become A..Z, 16-bit big-endian.
  QTest::newRow("apply search")
      << u"Apply Search"_s << std::function<void(Session&)>([](Session& s) {
           const auto query = data::MakeQuery(u"HERO", std::nullopt, data::ValueSize::k16Be).query;
           QVERIFY(query);
           data::Candidate candidate;
           candidate.bases[0] = 0x200;
           candidate.hits = 1;
           candidate.offsets = {0};
           const Session::Outcome outcome = s.ApplySearch(*query, candidate);
           QCOMPARE(outcome.changed, 26);
           s.State().SelectCode(*model::Code::FromHex("0200"));
         });
  QTest::newRow("extra lines") << u"Extra Lines"_s << std::function<void(Session&)>([](Session& s) {
    s.ExtraLines().Open();
    s.ExtraLines().Add("t: 30");
    s.Record(StepKind::kExtraLines, [&s] { s.ExtraLines().Apply(); });
    s.ExtraLines().Close();
  });
  // Lines that differ in one text alone are another table: the Update is a step of its own.
  QTest::newRow("extra line updated")
      << u"Extra Lines"_s << std::function<void(Session&)>([](Session& s) {
           s.ExtraLines().Open();
           QVERIFY(s.ExtraLines().Update(0, "s: 21"));
           s.ApplyExtraLines();
           s.ExtraLines().Close();
         });
  QTest::newRow("conversion") << u"Conversion"_s << std::function<void(Session&)>([](Session& s) {
    s.Document().SetCellText(0x42, "\xA4\xAB");
    s.ConvertTable(text::Encoding::kUtf8);
  });
  QTest::newRow("paste") << u"Paste"_s << std::function<void(Session&)>([](Session& s) {
    s.State().SelectCode(0x30);
    s.PasteText(u"\u304B\n"_s);
  });
  QTest::newRow("typing on a page") << u"Typing"_s << std::function<void(Session&)>([](Session& s) {
    s.State().SelectCode(*model::Code::FromHex("8141"));
    s.TypeKey(u'b');
  });
  QTest::newRow("fill on a page") << u"Fill"_s << std::function<void(Session&)>([](Session& s) {
    s.State().SelectCode(*model::Code::FromHex("81F0"));
    s.RunFill(editing::FillCommand::Range('A', 'Z'));
    QCOMPARE(s.State().CursorCode(), *model::Code::FromHex("81FF"));  // the page's last cell
  });
  QTest::newRow("mark on a page") << u"Mark"_s << std::function<void(Session&)>([](Session& s) {
    s.State().SelectCode(*model::Code::FromHex("00F7"));
    s.SetSpecialCharacter();
  });
}

void SessionTest::EveryChangeIsUndoneAndRedone() {
  QFETCH(QString, step);
  QFETCH(std::function<void(Session&)>, change);
  QVERIFY(!model::LoadTableFromBytes(Document(), "00f7=*\r\n"));  // beside the fixture's lines
  const QByteArray before = model::TableToBytes(Document());
  const text::Encoding encoding = Document().Encoding();
  change(*session_);
  const model::Code changed = session_->State().CursorCode();
  const QByteArray after = model::TableToBytes(Document());
  QVERIFY(after != before);
  QVERIFY(Document().IsModified());  // else Quit and New would drop it unasked
  QVERIFY(session_->CanUndo());
  QCOMPARE(session_->UndoName(), step);
  session_->Undo();
  if (step == u"Conversion"_s) {
    // The text set before the conversion stays; the conversion itself is gone.
    QCOMPARE(Document().GetCellText(0x42), QByteArray("\xA4\xAB"));
    QCOMPARE(Document().Encoding(), encoding);
  } else {
    QCOMPARE(model::TableToBytes(Document()), before);
  }
  QCOMPARE(session_->RedoName(), step);
  session_->State().SelectCode(0x00);
  session_->Redo();
  QCOMPARE(model::TableToBytes(Document()), after);
  QVERIFY(Document().IsModified());
  // The redo shows the page of the change.
  if (!changed.IsSingleByte()) QCOMPARE(session_->State().CurrentPage(), changed.PageOf());
}

void SessionTest::TypingIntoOneCellIsOneStep() {
  session_->SetInputMode(kana::InputMode::kHiragana);
  session_->State().SelectCode(0x50);
  Type(u"ka"_s);
  session_->TypeKey(QChar(u'\b'));  // kana modes: Backspace empties the cell
  Type(u"ki"_s);
  QCOMPARE(Document().GetCellText(0x50), QByteArray("\xA4\xAD"));
  session_->Undo();
  QVERIFY(Document().GetCellText(0x50).isEmpty());
  QVERIFY(!session_->CanUndo());
  QCOMPARE(session_->State().CursorCode(), quint8{0x50});
  // Keys typed and taken back leave nothing to undo.
  Type(u"ka"_s);
  session_->TypeKey(QChar(u'\b'));
  QVERIFY(!session_->CanUndo());
}

void SessionTest::CursorMoveOrModeChangeEndsATypingStep() {
  session_->State().SelectCode(0x50);
  Type(u"ab"_s);
  session_->State().SelectCode(0x51);
  session_->State().SelectCode(0x50);  // back to the same cell: a new step all the same
  Type(u"c"_s);
  session_->SetInputMode(kana::InputMode::kKatakana);
  Type(u"d"_s);
  session_->Undo();
  QCOMPARE(Document().GetCellText(0x50), QByteArray("abc"));
  session_->Undo();
  QCOMPARE(Document().GetCellText(0x50), QByteArray("ab"));
  session_->Undo();
  QCOMPARE(Document().GetCellText(0x50), QByteArray());
}

void SessionTest::UndoToTheSavedStateClearsModified() {
  const QString path = folder_.Path(u"t.tbl"_s);
  session_->State().SelectCode(0x50);
  Type(u"a"_s);
  answers_->QueueFile(path);
  session_->Commands().Save();
  QVERIFY(!Document().IsModified());
  Type(u"b"_s);  // after a save: a new step, not part of the saved one
  QVERIFY(Document().IsModified());
  session_->Undo();
  QVERIFY(!Document().IsModified());                        // back on the state last saved
  QCOMPARE(Document().GetCellText(0x50), QByteArray("a"));  // the saved text stays
  session_->Undo();
  QVERIFY(Document().IsModified());  // away from it
  session_->Redo();
  QVERIFY(!Document().IsModified());
  // The flag follows the history alone: a mark on a marked cell changes nothing, makes no step
  // and leaves it clear.
  session_->State().SelectCode(0x00);
  session_->SetSpecialCharacter();
  QVERIFY(!Document().IsModified());
  QCOMPARE(session_->UndoName(), u"Typing"_s);
}

void SessionTest::NewAndOpenStartAFreshHistory_data() {
  QTest::addColumn<bool>("open");
  QTest::newRow("New") << false;
  QTest::newRow("Open") << true;
}

// Typing into the cell under the cursor before and after is two steps, the first one gone.
void SessionTest::NewAndOpenStartAFreshHistory() {
  QFETCH(bool, open);
  Type(u"a"_s);  // code 00, where New and Open leave the cursor
  answers_->QueueButton(editing::Answers::Button::kNo);
  if (open) {
    answers_->QueueFile(folder_.Write(u"t.tbl"_s, "00=x\r\n"));
    session_->Commands().Open();
  } else {
    session_->Commands().New();
  }
  QVERIFY(!session_->CanUndo());
  QVERIFY(!session_->CanRedo());
  Type(u"b"_s);
  session_->Undo();
  QCOMPARE(Document().GetCellText(0x00), open ? QByteArray("x") : QByteArray());
  QVERIFY(!session_->CanUndo());
}

void SessionTest::ExtraLinesManagerFollowsTheHistory() {
  editing::ExtraLinesDraft& draft = session_->ExtraLines();
  draft.Open();
  draft.Add("t: 30");
  session_->Record(StepKind::kExtraLines, [&draft] { draft.Apply(); });
  session_->Undo();
  QCOMPARE(draft.Rows(), (QList<QByteArray>{"s: 20"}));  // a copy not edited follows the table
  draft.Add("u: 40");
  QVERIFY(!session_->CanRedo());  // rows not in the table yet: no undo or redo
  QSignalSpy history(session_.get(), &Session::historyChanged);
  draft.Close();
  QVERIFY(!history.isEmpty());
  QVERIFY(session_->CanRedo());
}

// Lines applied when New asked for them stay, as a step, when the user then cancels New.
void SessionTest::LinesAppliedAtThePromptAreAStep() {
  editing::ExtraLinesDraft& draft = session_->ExtraLines();
  draft.Open();
  draft.Add("t: 30");
  answers_->QueueButton(editing::Answers::Button::kYes);     // apply the manager's rows
  answers_->QueueButton(editing::Answers::Button::kCancel);  // the save prompt
  session_->Commands().New();
  QVERIFY(answers_->AllAnswersUsed());
  QCOMPARE(session_->UndoName(), u"Extra Lines"_s);
  session_->Undo();
  QCOMPARE(Document().ExtraLineCount(), 1);
  QCOMPARE(draft.Rows(), (QList<QByteArray>{"s: 20"}));
  session_->Redo();
  QCOMPARE(Document().GetExtraLine(1), std::optional<QByteArray>("t: 30"));
}

void SessionTest::KanaTypedOnAPageIsOneNewLineInItsPlace() {
  const QByteArray file = "41=A\n8140=\x88\x9F\n; kanji\n8142=\x88\xA2\n";
  const QString path = folder_.Write(u"sjis.tbl"_s, file);
  Document().ClearTable();
  QVERIFY(!model::LoadTable(Document(), path));
  QCOMPARE(Document().Encoding(), text::Encoding::kShiftJis);
  session_->SetInputMode(kana::InputMode::kHiragana);
  session_->State().SelectCode(*model::Code::FromHex("8141"));
  Type(u"ka"_s);
  session_->Commands().Save();
  QCOMPARE(testing::TempFolder::Read(path),
           QByteArray("8140=\x88\x9F\r\n8141=\x82\xA9\r\n; kanji\r\n8142=\x88\xA2\r\n41=A\r\n"));
  session_->Undo();
  QVERIFY(Document().GetCellText(*model::Code::FromHex("8141")).isEmpty());
  QCOMPARE(Document().ExtraLineCount(), 1);  // the comment; codes are codes, not extra lines
}

// Neither the manager nor the page overwrites the other: the question comes first.
void SessionTest::PageEditsSettleTheManagersRowsFirst() {
  editing::ExtraLinesDraft& draft = session_->ExtraLines();
  draft.Open();
  draft.Add("8140=m");
  session_->State().SelectCode(*model::Code::FromHex("8140"));
  answers_->QueueButton(editing::Answers::Button::kCancel);
  Type(u"x"_s);
  QVERIFY(Document().GetCellText(*model::Code::FromHex("8140")).isEmpty());
  answers_->QueueButton(editing::Answers::Button::kYes);
  Type(u"x"_s);
  QCOMPARE(Document().GetCellText(*model::Code::FromHex("8140")), QByteArray("mx"));
  // The row is the code now, on its page: it left the manager's list.
  QCOMPARE(draft.Rows(), QList<QByteArray>{"s: 20"});
  QVERIFY(answers_->AllAnswersUsed());
}

// The manager's row defines 0200 only once applied: the question about overwriting must see it.
void SessionTest::ApplySearchPlansOnceTheRowsAreSettled() {
  editing::ExtraLinesDraft& draft = session_->ExtraLines();
  draft.Open();
  draft.Add("0200=Z");
  const auto query = data::MakeQuery(u"HERO", std::nullopt, data::ValueSize::k16Be).query;
  QVERIFY(query);
  data::Candidate candidate;
  candidate.bases[0] = 0x200;
  candidate.hits = 1;
  candidate.offsets = {0};
  answers_->QueueButton(editing::Answers::Button::kYes);  // apply the manager's rows
  answers_->QueueButton(editing::Answers::Button::kNo);   // write only the free codes
  const Session::Outcome outcome = session_->ApplySearch(*query, candidate);
  QVERIFY(answers_->AllAnswersUsed());
  QCOMPARE(answers_->messages.constLast().title, u"Apply Search"_s);
  QCOMPARE(Document().GetCellText(*model::Code::FromHex("0200")), QByteArray("Z"));
  QCOMPARE(Document().GetCellText(*model::Code::FromHex("0201")), QByteArray("B"));
  QCOMPARE(outcome.changed, 25);

  // A control code is overwritten only when asked, and then is the letter alone.
  const model::Code pause = *model::Code::FromHex("0203");
  Document().SetEntry(pause, model::CodeEntry{"<pause=>", false, {}, true, "1"});
  answers_->QueueButton(editing::Answers::Button::kYes);
  QCOMPARE(session_->ApplySearch(*query, candidate).changed, 2);  // and 0200 back to H
  QVERIFY(answers_->messages.constLast().text.contains(u"0203=<pause=> (control code)"_s));
  QVERIFY(!Document().IsControl(pause));
  QCOMPARE(Document().GetCellText(pause), QByteArray("D"));
}

void SessionTest::UndoLandsOnTheFirstCodeItChanged_data() {
  QTest::addColumn<QString>("code");
  QTest::addColumn<bool>("fill");
  QTest::newRow("kana typed between two codes of the file") << u"99FD"_s << false;
  QTest::newRow("a fill that runs to the page's end") << u"88F8"_s << true;
  QTest::newRow("a single byte") << u"7F"_s << true;
}

// The cursor goes where the change was, not to the next code line of the file.
void SessionTest::UndoLandsOnTheFirstCodeItChanged() {
  QFETCH(QString, code);
  QFETCH(bool, fill);
  QVERIFY(!model::LoadTableFromBytes(Document(), "9940=x\n9A40=y\n9B40=z\n"));
  const model::Code at = *model::Code::FromHex(code.toLatin1());
  session_->SetInputMode(kana::InputMode::kHiragana);
  session_->State().SelectCode(at);
  if (fill) {
    session_->RunFill(editing::FillCommand::Range('A', 'Z'));
  } else {
    Type(u"ka"_s);
  }
  session_->State().SelectCode(0x41);
  session_->Undo();
  QCOMPARE(session_->State().CursorCode(), at);
  session_->State().SelectCode(0x41);
  session_->Redo();
  QCOMPARE(session_->State().CursorCode(), at);
}

void SessionTest::PagesAreSteppedSearchedAndGoneTo() {
  QVERIFY(!model::LoadTableFromBytes(Document(), "8140=a\n0100=x\n8A5B8B=A\n"));
  editing::EditingState& state = session_->State();
  const auto page = [&] { return QString::fromLatin1(state.CurrentPage().Hex()); };
  session_->StepPage(-1);  // nothing before the single bytes
  QCOMPARE(page(), u""_s);
  for (const char* expected : {"01", "81", "8A5B", "8A5B"}) {
    session_->StepPage(1);
    QCOMPARE(page(), QString::fromLatin1(expected));
  }
  QCOMPARE(state.CursorCode(), *model::Code::FromHex("8A5B00"));
  session_->OpenParentPage();
  QCOMPARE(page(), u"8A"_s);
  session_->StepPage(-1);  // from a page that holds nothing, to the one before it
  QCOMPARE(page(), u"81"_s);
  QSignalSpy status(session_.get(), &Session::status);
  answers_->QueueText(u"a"_s);
  QVERIFY(session_->AskFind());  // over all pages, in code order, letter case aside
  QCOMPARE(state.CursorCode(), *model::Code::FromHex("8140"));
  QVERIFY(session_->FindNext());
  QCOMPARE(state.CursorCode(), *model::Code::FromHex("8A5B8B"));
  QVERIFY(status.isEmpty());
  QVERIFY(session_->FindNext());
  QCOMPARE(state.CursorCode(), quint8{0x41});  // wrapped around, and says so
  QCOMPARE(status.takeFirst().at(0).toString(), u"Find wrapped to the first code"_s);
  answers_->QueueText(u"none"_s);
  QVERIFY(!session_->AskFind());
  QCOMPARE(state.CursorCode(), quint8{0x41});
  QCOMPARE(status.takeFirst().at(0).toString(), u"Not found."_s);
  answers_->QueueText(u"8140"_s);
  QVERIFY(!session_->AskFind());
  QCOMPARE(status.takeFirst().at(0).toString(), u"Not found. Go to Code (Ctrl+G) takes a code."_s);
  // A fill that meets the page's last cell says how far it got.
  state.SelectCode(*model::Code::FromHex("81FC"));
  session_->RunFill(editing::FillCommand::Range('A', 'Z'));
  QCOMPARE(status.takeFirst().at(0).toString(),
           u"The fill wrote 4 of 26 and stopped at the page's last cell, 81FF."_s);
  answers_->QueueText(u" 8a5b8b "_s);
  session_->AskGoToCode();
  QCOMPARE(state.CursorCode(), *model::Code::FromHex("8A5B8B"));
  answers_->QueueText(u"123"_s);
  answers_->QueueButton(editing::Answers::Button::kOk);
  session_->AskGoToCode();
  QCOMPARE(state.CursorCode(), *model::Code::FromHex("8A5B8B"));
  QVERIFY(answers_->AllAnswersUsed());
}

}  // namespace orvane::session

QTEST_GUILESS_MAIN(orvane::session::SessionTest)
#include "session_test.moc"
