// The source editor: read-only files, saving and the editor interface over the buffer.
#include <QTest>

#include "HostFixture.h"
#include "host/EditControl.h"
#include "host/EditWindow.h"
#include "host/Module.h"
#include "opentools/ToolIntf.h"
#include "platform/Files.h"
#include "ui/StatusBar.h"

class HostEditorTest : public HostFixture {
protected:
  std::string ModePanel() const { return FHost->EditWindow()->StatusBar()->FindPanelByID(EditPanelMode)->Text(); }
  TEditControl* Editor() const { return FHost->EditWindow()->EditControl(); }
  std::string EditorText() const { return Editor()->toPlainText().toStdString(); }
};

// Typing into and saving a read-only file are the read_only scenario's.
TEST_F(HostEditorTest, AReadOnlyFileTakesKeysOnceItBecomesWritable) {
  std::string file = WriteFile("Locked.cpp", "int x;\n");
  ASSERT_TRUE(platform::SetReadOnly(file, true));
  ASSERT_TRUE(FHost->OpenFile(file));
  EXPECT_EQ(ModePanel(), "Read Only");
  // Made writable behind the editor's back (a check-out): the next key finds out and goes in.
  ASSERT_TRUE(platform::SetReadOnly(file, false));
  QTest::keyClick(Editor(), Qt::Key_Slash);
  EXPECT_EQ(EditorText(), "/int x;\n");
  EXPECT_EQ(ModePanel(), "Insert");
  EXPECT_TRUE(FHost->SaveModule(FHost->FindModule(file), false));
  EXPECT_EQ(ReadFile(file), "/int x;\n");
}

TEST_F(HostEditorTest, SavingKeepsTheFilesLineBreaksAndEncoding) {
  std::string file = WriteFile("Old.cpp", "// caf\xE9\r\nint y;\r\n");   // Latin-1, CR LF
  ASSERT_TRUE(FHost->OpenFile(file));
  EXPECT_EQ(EditorText(), "// caf\xC3\xA9\nint y;\n");
  QTest::keyClick(Editor(), Qt::Key_End);
  QTest::keyClicks(Editor(), "!");
  EXPECT_EQ(FHost->EditWindow()->StatusBar()->FindPanelByID(EditPanelModified)->Text(), "Modified");
  EXPECT_EQ(FHost->EditWindow()->StatusBar()->FindPanelByID(EditPanelPosition)->Text(), "1: 9");
  ASSERT_TRUE(FHost->SaveModule(FHost->FindModule(file), false));
  EXPECT_EQ(ReadFile(file), "// caf\xE9!\r\nint y;\r\n");
  EXPECT_EQ(FHost->EditWindow()->StatusBar()->FindPanelByID(EditPanelModified)->Text(), "");
}

TEST_F(HostEditorTest, EditorInterfaceReadsTheBufferAndFollowsTheMarkedBlock) {
  std::string file = WriteFile("Buf.cpp", "first\r\nsecond\r\nthird\r\n");
  ASSERT_TRUE(FHost->OpenFile(file));
  TIntfPtr<TIModuleInterface> module(FHost->ToolServices()->GetModuleInterface(file));
  ASSERT_TRUE(module);
  EXPECT_EQ(module->GetFormInterface(), nullptr);
  TIntfPtr<TIEditorInterface> editor(module->GetEditorInterface());
  EXPECT_EQ(editor->FileName(), file);

  // The reader sees the file's bytes, line breaks included, in pieces of any size.
  TIntfPtr<TIEditReader> reader(editor->CreateReader());
  std::string all;
  char buffer[4];
  for (int got, pos = 0; (got = reader->GetText(pos, buffer, sizeof buffer)) > 0; pos += got) all.append(buffer, got);
  EXPECT_EQ(all, "first\r\nsecond\r\nthird\r\n");

  // A block set through the interface shows as the selection...
  editor->SetBlockStart({1, 2});
  editor->SetBlockAfter({6, 2});
  editor->SetBlockVisible(true);
  EXPECT_EQ(Editor()->textCursor().selectedText().toStdString(), "econd");
  // ...and a selection made in the editor is the block.
  QTextCursor cursor = Editor()->textCursor();
  cursor.setPosition(0);
  cursor.setPosition(3, QTextCursor::KeepAnchor);
  Editor()->setTextCursor(cursor);
  EXPECT_EQ(editor->GetBlockStart(), (TCharPos{0, 1}));
  EXPECT_EQ(editor->GetBlockAfter(), (TCharPos{3, 1}));
  EXPECT_TRUE(editor->GetBlockVisible());

  // The writer rebuilds the buffer front to back and applies it when released.
  {
    TIntfPtr<TIEditWriter> writer(editor->CreateWriter());
    writer->CopyTo(7);
    writer->DeleteTo(13);
    writer->Insert("2nd");
  }
  EXPECT_EQ(EditorText(), "first\n2nd\nthird\n");
  EXPECT_TRUE(editor->BufferModified());

  // Once the file is closed, its interfaces answer nothing instead of failing.
  ASSERT_TRUE(module->Close());
  EXPECT_FALSE(module->Save(true));
  EXPECT_EQ(editor->LinesInBuffer(), 0);
}
