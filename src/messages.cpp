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

    /* MSG_EXTRACT_HELP   */ {OUT,
        "使い方: qyMorvint [アーカイブ]\n"
        "PACアーカイブ（バージョン3）の全エントリを、アーカイブと同じ場所の\n"
        "フォルダ「#アーカイブ名#」に番号付きのファイルとして展開します。\n"
        "アーカイブを指定しなければ、入力を求めます。\n"
        "終了コード: すべて展開できれば0、失敗すれば1\n"
        "  --help     この説明を表示します\n"
        "  --version  バージョンを表示します\n"},
    /* MSG_PACK_HELP      */ {OUT,
        "使い方: qyMorvint-pack 出力.pac ファイル...\n"
        "       qyMorvint-pack 出力.pac フォルダ\n"
        "ファイルを指定した順にエントリとして、PACアーカイブ（バージョン3）を作ります。\n"
        "qyMorvintが展開したフォルダを一つ指定すると、その中のファイルを番号順に格納します。\n"
        "終了コード: 作成できれば0、失敗すれば1\n"
        "  --help     この説明を表示します\n"
        "  --version  バージョンを表示します\n"},
    /* MSG_VERSION        */ {OUT, "%s %s\n"},
    /* MSG_PACK_USAGE     */ {ERR, "使い方: qyMorvint-pack 出力.pac ファイル...（--helpで説明を表示）\n"},
    /* MSG_PACK_READ_FAILED     */ {ERR, "%sの読み込みに失敗しました。終了します。\n"},
    /* MSG_PACK_WRITE_FAILED    */ {ERR, "%sの書き込みに失敗しました。終了します。\n"},
    /* MSG_PACK_INPUT_IS_OUTPUT */ {ERR, "%sは入力ファイルなので上書きできません。終了します。\n"},
    /* MSG_PACK_NO_ENTRIES      */ {ERR, "%sに展開されたファイルがありません。終了します。\n"},
    /* MSG_PACK_MISSING_ENTRY   */ {ERR, "%sに%u番目のファイルがありません。終了します。\n"},
    /* MSG_PACK_DUPLICATE_ENTRY */ {ERR, "%sに%u番目のファイルが複数あります。終了します。\n"},
    /* MSG_PACK_CREATED         */ {OUT, "%sを作成しました。（%uファイル）\n"},
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
