#include "text_case.h"

#include <cctype>

namespace {

int upper(char c) {
    return std::toupper(static_cast<unsigned char>(c));
}

}  // namespace

int compare_nocase(const char* first, const char* second) {
    for (; *first; ++first, ++second) {
        const int difference = upper(*first) - upper(*second);
        if (difference != 0)
            return difference;
    }
    return *second ? -1 : 0;
}

char* upcase_in_place(char* text) {
    for (char* c = text; *c; ++c)
        *c = static_cast<char>(upper(*c));
    return text;
}
