#include "messages.h"

#include <cstdarg>
#include <cstdio>

namespace {

enum Stream { OUT, ERR };

struct MessageEntry {
  Stream stream;
  const char* text;
};

// The entry numbers are unsigned 32-bit, hence %5u where a signed
// conversion would print counts past 2^31 as negative numbers.
// clang-format off
const MessageEntry MESSAGES[MESSAGE_COUNT] = {
    /* MSG_PROMPT         */ {OUT, "アーカイブを指定して下さい。："},
    /* MSG_NO_ANSWER      */ {OUT, "アーカイブが指定されませんでした。終了します\n"},
    /* MSG_OPEN_FAILED    */ {OUT, "%sのオープンに失敗しました。終了します\n"},
    /* MSG_NOT_SUPPORTED  */ {OUT, "%sは対応していないファイルです。強制終了します\n"},
    /* MSG_WRONG_VERSION  */ {OUT, "%sはヴァージョンが違い対応していないファイルです。強制終了します\n"},
    /* MSG_INIT_FAILED    */ {ERR, "展開初期化エラー（inflateInit関数）: %s\n"},
    /* MSG_INFLATE_FAILED */ {ERR, "展開エラー（inflate関数）: %s\n"},
    /* MSG_BUFFER_FULL    */ {ERR, "展開エラー（inflate関数）：出力バッファーが足りません。\n"},
    /* MSG_END_FAILED     */ {ERR, "展開終了エラー（inflateEnd関数）: %s\n"},
    /* MSG_READ_FAILED    */ {ERR, "展開エラー（fread関数）: %s\n"},
    /* MSG_BUFFER_GROWN   */ {OUT, "主力バッファ+1MB\n"},
    /* MSG_ENTRY_STOPPED  */ {ERR, "終了します。(in%5uファイル目)\n"},
    /* MSG_NO_MEMORY      */ {ERR, "メモリが足りません。終了します。(in%5uファイル目)\n"},
    /* MSG_WRITE_FAILED   */ {ERR, "%sの展開に失敗しました。終了します。\n"},
    /* MSG_ENTRY_WRITTEN  */ {OUT, "%sを処理終了\n"},
};
// clang-format on

}  // namespace

void print_message(int message, ...) {
  const MessageEntry& entry = MESSAGES[message];
  FILE* stream = entry.stream == OUT ? stdout : stderr;
  va_list args;
  va_start(args, message);
  vfprintf(stream, entry.text, args);
  va_end(args);
}
