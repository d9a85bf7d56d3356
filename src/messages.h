// Every text the program prints, in one table. The Linux build holds them as
// UTF-8; the Windows build compiles messages.cpp to code page 932 bytes.
#pragma once

enum Message {
  MSG_PROMPT,
  MSG_NO_ANSWER,
  MSG_OPEN_FAILED,
  MSG_NOT_SUPPORTED,
  MSG_WRONG_VERSION,
  MSG_INIT_FAILED,
  MSG_INFLATE_FAILED,
  MSG_BUFFER_FULL,
  MSG_END_FAILED,
  MSG_READ_FAILED,
  MSG_BUFFER_GROWN,
  MSG_ENTRY_STOPPED,
  MSG_NO_MEMORY,
  MSG_WRITE_FAILED,
  MSG_ENTRY_WRITTEN,
  MSG_EXTRACT_HELP,
  MSG_PACK_HELP,
  MSG_VERSION,
  MSG_PACK_USAGE,
  MSG_PACK_READ_FAILED,
  MSG_PACK_WRITE_FAILED,
  MSG_PACK_INPUT_IS_OUTPUT,
  MSG_PACK_NO_ENTRIES,
  MSG_PACK_MISSING_ENTRY,
  MSG_PACK_DUPLICATE_ENTRY,
  MSG_PACK_CREATED,
  MESSAGE_COUNT
};

// Formats the message (a Message) with its arguments onto its own stream,
// standard output or standard error. The parameter is an int because
// va_start on an enum, which is promoted, is undefined.
void print_message(int message, ...);
