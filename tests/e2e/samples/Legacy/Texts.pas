unit Texts;

// 日本語のメッセージ（シフトJIS）

interface

function JapaneseGreeting: string;

implementation

function JapaneseGreeting: string;
begin
  Result := 'こんにちは、表示'; { ソース表 }
end;

end.
