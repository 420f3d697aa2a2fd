// Removal of HTML markup before a document is analysed.
#ifndef KAVEL_ENCODING_HTML_TO_TEXT_H_
#define KAVEL_ENCODING_HTML_TO_TEXT_H_

#include <cstddef>

// Turns iInPutLen bytes of HTML into plain text in pOutPut: a leading UTF-8
// byte-order mark is skipped; comments, "<script>" blocks and tags become a
// space; "&#N;" becomes the UTF-8 form of N (a space for 127 to 254, for 0
// and for values past U+10FFFF), "&lt;" and "&gt;" their characters and
// other named entities a space; "%XX" (capital hex) its byte; a bare "nbsp;"
// is dropped; runs of spaces shrink to one and leading spaces go. CR and LF
// are kept.
//
// iOutPutLen is on entry the size of pOutPut (0: no limit, pOutPut then
// holds iInPutLen + 1 bytes, which always suffices) and on return the length
// of the NUL-terminated text, which is also returned. Nothing is read past
// iInPutLen nor written past the size.
size_t vHtmlToText(const char* pInPut, size_t iInPutLen, char* pOutPut, size_t& iOutPutLen);

#endif  // KAVEL_ENCODING_HTML_TO_TEXT_H_
