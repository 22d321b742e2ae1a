#include "host/SourceText.h"

#include <algorithm>

#include <QStringDecoder>

#include "platform/Files.h"

bool ReadSourceText(const std::string& fileName, TSourceText& source, std::string& error) {
  std::string bytes;
  if (!platform::ReadFile(fileName, bytes, &error)) return false;
  source = TSourceText{};
  source.CrLf = bytes.find("\r\n") != std::string::npos;
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  source.Text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (utf8.hasError()) {
    source.Latin1 = true;
    source.Text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
  }
  if (source.CrLf) source.Text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return true;
}

std::string EncodeSourceText(const QString& text, const TSourceText& like) {
  QString out = text;
  if (like.CrLf) out.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  // Characters typed since loading that Latin-1 can't hold make the file UTF-8 rather than lose them.
  bool fitsLatin1 = std::all_of(out.cbegin(), out.cend(), [](QChar c) { return c.unicode() < 0x100; });
  return like.Latin1 && fitsLatin1 ? out.toLatin1().toStdString() : out.toStdString();
}
