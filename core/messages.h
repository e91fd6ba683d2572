// Every message and message-box caption the program shows, in one table, as
// UTF-16. The window shows them through the wide calls; a console front end
// prints the same texts.
#pragma once

// Captions.
inline constexpr char16_t ErrorCaption[] = u"エラー";
inline constexpr char16_t StartupCaption[] = u"起動確認";
inline constexpr char16_t ExitCaption[] = u"終了確認";

// Start-up and exit.
inline constexpr char16_t AlreadyRunningText[] = u"既に起動されています";
inline constexpr char16_t ConfirmExitText[] = u"終了してもよいですか";

// The logger.
inline constexpr char16_t PortCannotOpenText[] = u"ポートがオープン出来ません";
inline constexpr char16_t NoCommunicationText[] = u"通信できません";
inline constexpr char16_t BadReplyText[] = u"受信データが正しくありません";
inline constexpr char16_t ArchiveFailedText[] = u"受信データを自動保存できません";
// Not a message box: the console tool's word for the port it received from.
inline constexpr char16_t ReceivedText[] = u"受信しました";

// Files.
inline constexpr char16_t CannotCreateFileText[] = u"ファイルが作れません";
inline constexpr char16_t CannotWriteFileText[] = u"ファイルに書き込めません";
inline constexpr char16_t CannotCloseFileText[] = u"ファイルを閉じる事が出来ません";
inline constexpr char16_t CannotReadFileText[] = u"ファイルが読めません";
inline constexpr char16_t WrongFileText[] = u"ファイルが違います";
inline constexpr char16_t NoMemoryText[] = u"メモリが確保出来ません";
inline constexpr char16_t CannotLockMemoryText[] = u"メモリがロック出来ません";
inline constexpr char16_t BadFileNameText[] = u"ファイル名が正しくありません";

// Export.
inline constexpr char16_t CannotCopyText[] = u"クリップボードにコピーできません";
inline constexpr char16_t CannotMakeImageText[] = u"画像を作れません";

// Printing.
inline constexpr char16_t CannotPrintText[] = u"印刷できません";

// The period map.
inline constexpr char16_t PeriodTooLongText[] = u"期間が長すぎます";

// Help.
inline constexpr char16_t GuideMissingText[] = u"利用ガイドが見つかりません";

struct MessageEntry {
    const char16_t* caption;
    const char16_t* text;
};

// Each message with the caption of its box, for whoever must know them all.
inline constexpr MessageEntry AllMessages[] = {
    {StartupCaption, AlreadyRunningText}, {ExitCaption, ConfirmExitText},
    {ErrorCaption, PortCannotOpenText},   {ErrorCaption, NoCommunicationText},
    {ErrorCaption, BadReplyText},         {ErrorCaption, ArchiveFailedText},
    {ErrorCaption, CannotCreateFileText}, {ErrorCaption, CannotWriteFileText},
    {ErrorCaption, CannotCloseFileText},  {ErrorCaption, CannotReadFileText},
    {ErrorCaption, WrongFileText},        {ErrorCaption, NoMemoryText},
    {ErrorCaption, CannotLockMemoryText}, {ErrorCaption, BadFileNameText},
    {ErrorCaption, CannotCopyText},       {ErrorCaption, CannotMakeImageText},
    {ErrorCaption, CannotPrintText},      {ErrorCaption, GuideMissingText},
    {ErrorCaption, PeriodTooLongText},
};
