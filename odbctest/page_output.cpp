#include "page_output.h"

#include <cstdio>

#include "request.h"

void html_text(const char* text) {
    for (const char* c = text; *c; ++c) {
        switch (*c) {
            case '&':
                std::fputs("&amp;", stdout);
                break;
            case '<':
                std::fputs("&lt;", stdout);
                break;
            case '>':
                std::fputs("&gt;", stdout);
                break;
            case '"':
                std::fputs("&quot;", stdout);
                break;
            case '\'':
                std::fputs("&#39;", stdout);
                break;
            default:
                std::fputc(*c, stdout);
        }
    }
}

void page_text(const char* text) {
    if (request.cgi_mode)
        html_text(text);
    else
        std::fputs(text, stdout);
}
