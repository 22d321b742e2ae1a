#pragma once
// The source buffer of an open module: reading it as one stream, writing it, and the marked block.
#include <string>

#include "opentools/Interface.h"

// A place in the buffer: CharIndex counts from 0 within the line, Line from 1.
struct TCharPos {
  int CharIndex = 0;
  int Line = 0;
  friend bool operator==(const TCharPos&, const TCharPos&) = default;
};

enum TBlockType { btInclusive, btLine, btColumn, btNonInclusive, btUnknown };

class TIEditReader : public TInterface {
public:
  // Copies up to `count` bytes of the buffer, from byte offset `position` (line breaks included),
  // into `buffer`; returns the number copied (0 at or past the end).
  virtual int GetText(int position, char* buffer, int count) = 0;
};

// Rebuilds the buffer front to back: CopyTo and DeleteTo move through the original text, Insert adds
// new text at the current place. The edits take effect when the writer is released.
class TIEditWriter : public TInterface {
public:
  virtual bool CopyTo(int position) = 0;
  virtual bool DeleteTo(int position) = 0;
  virtual bool Insert(const std::string& text) = 0;
  virtual int Position() = 0;
};

class TIEditorInterface : public TInterface {
public:
  virtual TIEditReader* CreateReader() = 0;
  virtual TIEditWriter* CreateWriter() = 0;
  virtual std::string FileName() = 0;
  virtual int LinesInBuffer() = 0;
  virtual bool BufferModified() = 0;
  virtual bool MarkModified() = 0;

  virtual TCharPos GetBlockAfter() = 0;
  virtual TCharPos GetBlockStart() = 0;
  virtual TBlockType GetBlockType() = 0;
  virtual bool GetBlockVisible() = 0;
  virtual void SetBlockAfter(const TCharPos& value) = 0;
  virtual void SetBlockStart(const TCharPos& value) = 0;
  virtual void SetBlockType(TBlockType value) = 0;
  virtual void SetBlockVisible(bool value) = 0;
};
