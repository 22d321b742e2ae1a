#pragma once
// The commands for looking at files: a working file or a copy of a SourceSafe version in the text
// viewer (binary files in the desktop's program for them), a working file against its SourceSafe
// version, and two versions against each other, in the difference viewer or in the difference
// program the user named. One object serves one command; the temporary files it made are deleted
// with it, whether the command succeeded or not.
#include <string>
#include <vector>

#include "ui/Object.h"

class TIModuleInterface;
class TRVLItem;

class TRVLViewCommands : public TObject {
public:
  // Reads the viewers, SourceSafe's folder and the white-space option once.
  TRVLViewCommands();
  ~TRVLViewCommands() override;

  // A copy of the item's SourceSafe version (for a version's item, that version) in the viewer.
  virtual void ViewVersion(TRVLItem* Item);
  // A file on disk: text in the text viewer, binary files in the desktop's program for them.
  virtual void ViewFile(const std::string& FileName, bool IsBinary);
  // Two SourceSafe versions, ItemA on the left.
  virtual void CompareVersions(TRVLItem* ItemA, TRVLItem* ItemB);
  // The SourceSafe version (left) against the working file (right); a file open in the IDE is
  // compared as its editor shows it, unsaved changes included.
  virtual void ShowDifference(TRVLItem* Item);

  std::vector<std::string> TempFiles;   // every temporary file made, in order
  std::string AsciiViewer;
  std::string DifferenceViewer;         // empty: the internal viewer
  std::string SSExePath;
  bool IgnoreSpaces = false;

private:
  // A free name in the temporary folder for a copy of `Name`, kept in TempFiles; no file is made.
  std::string TempName(const std::string& Name);
  std::string FetchVersion(TRVLItem* Item);
  // Form files become their text form; type libraries count as binary.
  void Prepare(std::string& FileName, bool& IsBinary);
  std::string FormAsText(const std::string& FileName);
  // The file to compare for the working file `FileName`: a copy of its editor text when the IDE has
  // it open, else the file itself.
  std::string EditorText(const std::string& FileName);
  bool WriteEditorText(TIModuleInterface* Module, const std::string& FileName);
  void ShowDifferences(const std::string& LeftCaption, const std::string& RightCaption, std::string LeftFile,
                       std::string RightFile, bool IsBinary);
  void InternalCompare(const std::string& LeftCaption, const std::string& RightCaption, const std::string& LeftFile,
                       const std::string& RightFile);
  // Runs SourceSafe's command-line program to its end; a run past the time-out is killed and, like
  // the codes it reports failures with, raises.
  void RunSS(const std::string& Arguments);
};

// "/Project/Main.pas Version:3": the caption of a SourceSafe version in the viewers.
std::string VersionCaption(TRVLItem* Item);
