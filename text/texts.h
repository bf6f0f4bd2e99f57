// Every text of the program that a user sees, and the host's texts that the scan matches, each
// once: a name, its readable spelling (UTF-8) and its Shift-JIS bytes, which are what the program
// uses. Adding a text is one line; scripts/sjis prints it. The test of the text layer decodes
// every entry with code page 932 and compares it with its spelling.
// No project includes and no platform headers: every layer may include this.
#pragma once

#include <array>
#include <string_view>

// X(name, spelling, bytes): one line a text, each name and each spelling once.
// clang-format off
#define TABVANE_TEXTS(X) \
  /* The main window */ \
  X(kCaptionPrefix,         "Tabvane → ",                           "Tabvane \x81\xA8 ") \
  X(kNoHostChosen,          "無指定",                               "\x96\xB3\x8E\x77\x92\xE8") \
  X(kEditMode,              "メニュー編集モード",                   "\x83\x81\x83\x6A\x83\x85\x81\x5B\x95\xD2\x8F\x57\x83\x82\x81\x5B\x83\x68") \
  X(kSettings,              "設定",                                 "\x90\xDD\x92\xE8") \
  X(kDetectionItem,         "検出状況(&D)...",                      "\x8C\x9F\x8F\x6F\x8F\xF3\x8B\xB5(&D)...") \
  X(kCantSave,              "保存できません: ",                     "\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1: ") \
  X(kMenusNotSaved,         "メニューを保存できませんでした。",     "\x83\x81\x83\x6A\x83\x85\x81\x5B\x82\xF0\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x42") \
  X(kSettingsNotSaved,      "設定を保存できませんでした。",         "\x90\xDD\x92\xE8\x82\xF0\x95\xDB\x91\xB6\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD\x81\x42") \
  X(kSaveAgain,             "もう一度保存しますか？",               "\x82\xE0\x82\xA4\x88\xEA\x93\x78\x95\xDB\x91\xB6\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81\x48") \
  X(kRegistered,            " 件を登録しました",                    " \x8C\x8F\x82\xF0\x93\x6F\x98\x5E\x82\xB5\x82\xDC\x82\xB5\x82\xBD") \
  X(kOpenParen,             "（",                                   "\x81\x69") \
  X(kNoRoom,                " 件は空きがありません）",              " \x8C\x8F\x82\xCD\x8B\xF3\x82\xAB\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x6A") \
  X(kFileMissing,           "（ファイルがありません）",             "\x81\x69\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1\x81\x6A") \
  /* The captions of the pages (the fourth is kSettings) */ \
  X(kPageFile,              "ﾌｧｲﾙ",                                 "\xCC\xA7\xB2\xD9") \
  X(kPageEdit,              "編集",                                 "\x95\xD2\x8F\x57") \
  X(kPageDraw,              "作図",                                 "\x8D\xEC\x90\x7D") \
  X(kPageOther,             "その他",                               "\x82\xBB\x82\xCC\x91\xBC") \
  X(kPageFree,              "フリー",                               "\x83\x74\x83\x8A\x81\x5B") \
  /* The headings of the slot grid */ \
  X(kTransformName,         "外部変形名",                           "\x8A\x4F\x95\x94\x95\xCF\x8C\x60\x96\xBC") \
  X(kBatchFile,             "バッチファイル",                       "\x83\x6F\x83\x62\x83\x60\x83\x74\x83\x40\x83\x43\x83\x8B") \
  /* When a launch stops short (after kCaptionPrefix), and the bridge batch's last line */ \
  X(kBatchNotWritten,       "Tabvane.bat を書き込めません",         "Tabvane.bat \x82\xF0\x8F\x91\x82\xAB\x8D\x9E\x82\xDF\x82\xDC\x82\xB9\x82\xF1") \
  X(kHostElevated,          "Jw_cad が管理者として実行中のため実行できません", "Jw_cad \x82\xAA\x8A\xC7\x97\x9D\x8E\xD2\x82\xC6\x82\xB5\x82\xC4\x8E\xC0\x8D\x73\x92\x86\x82\xCC\x82\xBD\x82\xDF\x8E\xC0\x8D\x73\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1") \
  X(kHostNotInFront,        "Jw_cad を前面にできませんでした",      "Jw_cad \x82\xF0\x91\x4F\x96\xCA\x82\xC9\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x82\xC5\x82\xB5\x82\xBD") \
  X(kKeysRefused,           "キー送信が拒否されました",             "\x83\x4C\x81\x5B\x91\x97\x90\x4D\x82\xAA\x8B\x91\x94\xDB\x82\xB3\x82\xEA\x82\xDC\x82\xB5\x82\xBD") \
  X(kBridgeBatchEnd,        "REM 終了 ",                            "REM \x8F\x49\x97\xB9 ") \
  /* The slot editor */ \
  X(kSlotEditorCaption,     "入力",                                 "\x93\xFC\x97\xCD") \
  X(kSlotEditorCaptionHead, "入力　【",                             "\x93\xFC\x97\xCD\x81\x40\x81\x79") \
  X(kSlotEditorCaptionTail, "】",                                   "\x81\x7A") \
  X(kBatchFileName,         "バッチファイル名",                     "\x83\x6F\x83\x62\x83\x60\x83\x74\x83\x40\x83\x43\x83\x8B\x96\xBC") \
  X(kBrowse,                "参照",                                 "\x8E\x51\x8F\xC6") \
  X(kOk,                    "ＯＫ(&Y)",                             "\x82\x6E\x82\x6A(&Y)") \
  X(kCancel,                "キャンセル(&N)",                       "\x83\x4C\x83\x83\x83\x93\x83\x5A\x83\x8B(&N)") \
  X(kChooserTitle,          "バッチファイルを指定",                 "\x83\x6F\x83\x62\x83\x60\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xF0\x8E\x77\x92\xE8") \
  X(kChooserFilter,         "Jw_cad外部変形バッチファイル(*.bat)",  "Jw_cad\x8A\x4F\x95\x94\x95\xCF\x8C\x60\x83\x6F\x83\x62\x83\x60\x83\x74\x83\x40\x83\x43\x83\x8B(*.bat)") \
  X(kQuestionTitle,         "確認",                                 "\x8A\x6D\x94\x46") \
  X(kQuestion,              "指定バッチファイルの先頭行文字を外部変形名にセットしますか？", "\x8E\x77\x92\xE8\x83\x6F\x83\x62\x83\x60\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x90\xE6\x93\xAA\x8D\x73\x95\xB6\x8E\x9A\x82\xF0\x8A\x4F\x95\x94\x95\xCF\x8C\x60\x96\xBC\x82\xC9\x83\x5A\x83\x62\x83\x67\x82\xB5\x82\xDC\x82\xB7\x82\xA9\x81\x48") \
  /* The settings dialog (its caption is kSettings) */ \
  X(kInterval,              "割込時間",                             "\x8A\x84\x8D\x9E\x8E\x9E\x8A\xD4") \
  X(kMilliseconds,          "ミリ秒",                               "\x83\x7E\x83\x8A\x95\x62") \
  X(kMaximizeHost,          "Jww最大化",                            "Jww\x8D\xC5\x91\xE5\x89\xBB") \
  X(kMinimizeAfterRun,      "外部変形実行後最小化",                 "\x8A\x4F\x95\x94\x95\xCF\x8C\x60\x8E\xC0\x8D\x73\x8C\xE3\x8D\xC5\x8F\xAC\x89\xBB") \
  X(kMaximizeHostHint,      "外部変形実行時、Jw_cad画面を最大化表示します。普段 Jw_cadを最大化表示している場合にチェックをしてください。", "\x8A\x4F\x95\x94\x95\xCF\x8C\x60\x8E\xC0\x8D\x73\x8E\x9E\x81\x41Jw_cad\x89\xE6\x96\xCA\x82\xF0\x8D\xC5\x91\xE5\x89\xBB\x95\x5C\x8E\xA6\x82\xB5\x82\xDC\x82\xB7\x81\x42\x95\x81\x92\x69 Jw_cad\x82\xF0\x8D\xC5\x91\xE5\x89\xBB\x95\x5C\x8E\xA6\x82\xB5\x82\xC4\x82\xA2\x82\xE9\x8F\xEA\x8D\x87\x82\xC9\x83\x60\x83\x46\x83\x62\x83\x4E\x82\xF0\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81\x42") \
  X(kMinimizeAfterRunHint,  "外部変形を実行した後、本ソフトを最小化します。本ソフトの画面が邪魔になる場合にチェックしてください。", "\x8A\x4F\x95\x94\x95\xCF\x8C\x60\x82\xF0\x8E\xC0\x8D\x73\x82\xB5\x82\xBD\x8C\xE3\x81\x41\x96\x7B\x83\x5C\x83\x74\x83\x67\x82\xF0\x8D\xC5\x8F\xAC\x89\xBB\x82\xB5\x82\xDC\x82\xB7\x81\x42\x96\x7B\x83\x5C\x83\x74\x83\x67\x82\xCC\x89\xE6\x96\xCA\x82\xAA\x8E\xD7\x96\x82\x82\xC9\x82\xC8\x82\xE9\x8F\xEA\x8D\x87\x82\xC9\x83\x60\x83\x46\x83\x62\x83\x4E\x82\xB5\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81\x42") \
  X(kEditModeHint,          "割込処理をしないようにします。ページ自動切替が行われませんのでメニュー編集が行い易くなります。", "\x8A\x84\x8D\x9E\x8F\x88\x97\x9D\x82\xF0\x82\xB5\x82\xC8\x82\xA2\x82\xE6\x82\xA4\x82\xC9\x82\xB5\x82\xDC\x82\xB7\x81\x42\x83\x79\x81\x5B\x83\x57\x8E\xA9\x93\xAE\x90\xD8\x91\xD6\x82\xAA\x8D\x73\x82\xED\x82\xEA\x82\xDC\x82\xB9\x82\xF1\x82\xCC\x82\xC5\x83\x81\x83\x6A\x83\x85\x81\x5B\x95\xD2\x8F\x57\x82\xAA\x8D\x73\x82\xA2\x88\xD5\x82\xAD\x82\xC8\x82\xE8\x82\xDC\x82\xB7\x81\x42") \
  /* The detection view */ \
  X(kDetectionTitle,        "検出状況",                             "\x8C\x9F\x8F\x6F\x8F\xF3\x8B\xB5") \
  X(kCopy,                  "コピー",                               "\x83\x52\x83\x73\x81\x5B") \
  X(kTarget,                "ターゲット: ",                         "\x83\x5E\x81\x5B\x83\x51\x83\x62\x83\x67: ") \
  X(kNoTarget,              "ターゲットなし",                       "\x83\x5E\x81\x5B\x83\x51\x83\x62\x83\x67\x82\xC8\x82\xB5") \
  X(kHandle,                "  ハンドル: ",                         "  \x83\x6E\x83\x93\x83\x68\x83\x8B: ") \
  X(kBridgeFolder,          "  Tabvane.bat の書き込み先: ",         "  Tabvane.bat \x82\xCC\x8F\x91\x82\xAB\x8D\x9E\x82\xDD\x90\xE6: ") \
  X(kFromProcess,           "（実行中の Jw_cad のフォルダー）",     "\x81\x69\x8E\xC0\x8D\x73\x92\x86\x82\xCC Jw_cad \x82\xCC\x83\x74\x83\x48\x83\x8B\x83\x5F\x81\x5B\x81\x6A") \
  X(kFromRegistry,          "（レジストリの関連付けから）",         "\x81\x69\x83\x8C\x83\x57\x83\x58\x83\x67\x83\x8A\x82\xCC\x8A\xD6\x98\x41\x95\x74\x82\xAF\x82\xA9\x82\xE7\x81\x6A") \
  X(kNone,                  "なし",                                 "\x82\xC8\x82\xB5") \
  X(kCaptionsRead,          "読み取った文字（前回の走査）:",        "\x93\xC7\x82\xDD\x8E\xE6\x82\xC1\x82\xBD\x95\xB6\x8E\x9A\x81\x69\x91\x4F\x89\xF1\x82\xCC\x91\x96\x8D\xB8\x81\x6A:") \
  X(kNotRead,               "読み取っていません",                   "\x93\xC7\x82\xDD\x8E\xE6\x82\xC1\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1") \
  X(kPanelMark,             "（固定）",                             "\x81\x69\x8C\xC5\x92\xE8\x81\x6A") \
  X(kBlankMark,             "（空白）",                             "\x81\x69\x8B\xF3\x94\x92\x81\x6A") \
  X(kResult,                "検出結果:",                            "\x8C\x9F\x8F\x6F\x8C\x8B\x89\xCA:") \
  X(kSwitchedTo,            "  切り替え先: ",                       "  \x90\xD8\x82\xE8\x91\xD6\x82\xA6\x90\xE6: ") \
  X(kKeywords,              "  キーワード:",                        "  \x83\x4C\x81\x5B\x83\x8F\x81\x5B\x83\x68:") \
  X(kCross,                 "×",                                    "\x81\x7E") \
  X(kNoSwitch,              "  切り替えなし: ",                     "  \x90\xD8\x82\xE8\x91\xD6\x82\xA6\x82\xC8\x82\xB5: ") \
  X(kOnFreePage,            "フリーページを表示中",                 "\x83\x74\x83\x8A\x81\x5B\x83\x79\x81\x5B\x83\x57\x82\xF0\x95\x5C\x8E\xA6\x92\x86") \
  X(kNoFullMatch,           "すべてのキーワードがそろう行がありません", "\x82\xB7\x82\xD7\x82\xC4\x82\xCC\x83\x4C\x81\x5B\x83\x8F\x81\x5B\x83\x68\x82\xAA\x82\xBB\x82\xEB\x82\xA4\x8D\x73\x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1") \
  X(kRunnersUp,             "次点（見つかったキーワード / 全部）:", "\x8E\x9F\x93\x5F\x81\x69\x8C\xA9\x82\xC2\x82\xA9\x82\xC1\x82\xBD\x83\x4C\x81\x5B\x83\x8F\x81\x5B\x83\x68 / \x91\x53\x95\x94\x81\x6A:") \
  X(kLineSuffix,            " 行目",                                " \x8D\x73\x96\xDA") \
  X(kPage,                  "ページ",                               "\x83\x79\x81\x5B\x83\x57") \
  X(kTab,                   "タブ",                                 "\x83\x5E\x83\x75") \
  X(kOpenQuote,             "「",                                   "\x81\x75") \
  X(kCloseQuote,            "」",                                   "\x81\x76") \
  /* The host selector's separator, a host title's marker, the host's fixed panels */ \
  X(kEntrySeparator,        "  － ",                                "  \x81\x7C ") \
  X(kBlockTitleMarker,      "◆◆◆ブロック図形【",                    "\x81\x9F\x81\x9F\x81\x9F\x83\x75\x83\x8D\x83\x62\x83\x4E\x90\x7D\x8C\x60\x81\x79") \
  X(kPanelConditions,       "条件設定",                             "\x8F\xF0\x8C\x8F\x90\xDD\x92\xE8") \
  X(kPanelMain,             "メイン",                               "\x83\x81\x83\x43\x83\x93") \
  X(kPanelEdit1,            "編集(1)",                              "\x95\xD2\x8F\x57(1)") \
  X(kPanelEdit2,            "編集(2)",                              "\x95\xD2\x8F\x57(2)") \
  X(kPanelDraw1,            "作図(1)",                              "\x8D\xEC\x90\x7D(1)") \
  X(kPanelDraw2,            "作図(2)",                              "\x8D\xEC\x90\x7D(2)") \
  X(kPanelOther1,           "その他(1)",                            "\x82\xBB\x82\xCC\x91\xBC(1)") \
  X(kPanelOther2,           "その他(2)",                            "\x82\xBB\x82\xCC\x91\xBC(2)") \
  X(kPanelOther11,          "その他(11)",                           "\x82\xBB\x82\xCC\x91\xBC(11)") \
  X(kPanelOther12,          "その他(12)",                           "\x82\xBB\x82\xCC\x91\xBC(12)") \
  X(kPanelOther21,          "その他(21)",                           "\x82\xBB\x82\xCC\x91\xBC(21)") \
  X(kPanelOther22,          "その他(22)",                           "\x82\xBB\x82\xCC\x91\xBC(22)") \
  X(kPanelLayer,            "レイヤ",                               "\x83\x8C\x83\x43\x83\x84") \
  X(kPanelLayerGroup,       "レイヤグループ",                       "\x83\x8C\x83\x43\x83\x84\x83\x4F\x83\x8B\x81\x5B\x83\x76") \
  X(kPanelLineType1,        "線属性(1)",                            "\x90\xFC\x91\xAE\x90\xAB(1)") \
  X(kPanelLineType2,        "線属性(2)",                            "\x90\xFC\x91\xAE\x90\xAB(2)") \
  X(kPanelUser1,            "ユーザー(1)",                          "\x83\x86\x81\x5B\x83\x55\x81\x5B(1)") \
  X(kPanelUser2,            "ユーザー(2)",                          "\x83\x86\x81\x5B\x83\x55\x81\x5B(2)") \
  /* What StripBlanks drops and TextToFlag reads as true besides ASCII */ \
  X(kFullWidthBlank,        "　",                                   "\x81\x40") \
  X(kFullWidthOne,          "１",                                   "\x82\x50") \
  X(kCircle,                "○",                                    "\x81\x9B") \
  X(kKanjiTrue,             "真",                                   "\x90\x5E") \
  X(kKanjiRight,            "正",                                   "\x90\xB3") \
  /* The find box: between the parts of a row, the field's hint */ \
  X(kFindSeparator,         " ＞ ",                                 " \x81\x84 ") \
  X(kFindCue,               "外部変形名・バッチファイルで検索",     "\x8A\x4F\x95\x94\x95\xCF\x8C\x60\x96\xBC\x81\x45\x83\x6F\x83\x62\x83\x60\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xC5\x8C\x9F\x8D\xF5") \
  X(kClipboardBusy, " → コピーできません（クリップボードが他のプログラムで使用中です）", " \x81\xA8 \x83\x52\x83\x73\x81\x5B\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1\x81\x69\x83\x4E\x83\x8A\x83\x62\x83\x76\x83\x7B\x81\x5B\x83\x68\x82\xAA\x91\xBC\x82\xCC\x83\x76\x83\x8D\x83\x4F\x83\x89\x83\x80\x82\xC5\x8E\x67\x97\x70\x92\x86\x82\xC5\x82\xB7\x81\x6A") \
  /* Drops from a temporary folder, an exe folder code page 932 cannot name, a virtualised host */ \
  X(kTempFolderDrop,        "一時フォルダーのファイルは登録できません", "\x88\xEA\x8E\x9E\x83\x74\x83\x48\x83\x8B\x83\x5F\x81\x5B\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCD\x93\x6F\x98\x5E\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1") \
  X(kUnusableFolder,        "このフォルダーでは使えません: ",       "\x82\xB1\x82\xCC\x83\x74\x83\x48\x83\x8B\x83\x5F\x81\x5B\x82\xC5\x82\xCD\x8E\x67\x82\xA6\x82\xDC\x82\xB9\x82\xF1: ") \
  X(kNoSjisName,            "フォルダー名に Shift-JIS にない文字があり、短い名前もありません", "\x83\x74\x83\x48\x83\x8B\x83\x5F\x81\x5B\x96\xBC\x82\xC9 Shift-JIS \x82\xC9\x82\xC8\x82\xA2\x95\xB6\x8E\x9A\x82\xAA\x82\xA0\x82\xE8\x81\x41\x92\x5A\x82\xA2\x96\xBC\x91\x4F\x82\xE0\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1") \
  X(kFromVirtualStore,      "（Jw_cad のフォルダーの仮想ストア）",  "\x81\x69Jw_cad \x82\xCC\x83\x74\x83\x48\x83\x8B\x83\x5F\x81\x5B\x82\xCC\x89\xBC\x91\x7A\x83\x58\x83\x67\x83\x41\x81\x6A") \
  /* The table ends here: every line above ends in a backslash */

// clang-format on

namespace tabvane::texts {

#define TABVANE_TEXT_CONSTANT(name, spelling, bytes) inline constexpr std::string_view name = bytes;
TABVANE_TEXTS(TABVANE_TEXT_CONSTANT)
#undef TABVANE_TEXT_CONSTANT

// The captions of the six pages, in page order.
inline constexpr auto kPageCaptions = std::to_array<std::string_view>({
    kPageFile, kPageEdit, kPageDraw, kSettings, kPageOther, kPageFree,
});

// The captions of the host's fixed panels: they never name the active command.
inline constexpr auto kHostPanelCaptions = std::to_array<std::string_view>({
    kPanelConditions, kPanelMain,
    kPanelEdit1, kPanelEdit2, kPanelDraw1, kPanelDraw2, kSettings,
    kPanelOther1, kPanelOther2, kPanelOther11, kPanelOther12, kPanelOther21, kPanelOther22,
    kPanelLayer, kPanelLayerGroup, kPanelLineType1, kPanelLineType2, kPanelUser1, kPanelUser2,
    "All", "><",
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
    "A", "B", "C", "D", "E", "F",
});

// One entry of the table, as the test walks them.
struct Entry {
  std::string_view name;
  std::string_view spelling;
  std::string_view bytes;
};

#define TABVANE_TEXT_ENTRY(name, spelling, bytes) Entry{#name, spelling, bytes},
inline constexpr Entry kAll[] = {TABVANE_TEXTS(TABVANE_TEXT_ENTRY)};
#undef TABVANE_TEXT_ENTRY

}  // namespace tabvane::texts
