#include "response_files.h"

#include <cstdlib>

#include "log.h"
#include "program_args.h"
#include "s_alloc.h"

namespace {

// Room in the rebuilt vector grows by this many entries.
constexpr int kVectorStep = 20;

// The word buffer of read_response_token: grown as needed, so that a word of
// any length is kept whole.
char* word = nullptr;
std::size_t word_room = 0;

void append_to_word(std::size_t& length, int c) {
    if (length + 1 >= word_room) {
        word_room = word_room ? 2 * word_room : 500;
        word = static_cast<char*>(s_realloc(word, word_room));
    }
    word[length++] = static_cast<char>(c);
}

struct argument_vector {
    char** entries;
    int count;
    int room;

    void append(const char* text) {
        // One entry more than the count stays free for the closing null.
        if (count + 1 >= room) {
            room += kVectorStep;
            entries = static_cast<char**>(s_realloc(entries, room * sizeof(char*)));
        }
        entries[count++] = s_strdup(text);
        entries[count] = nullptr;
    }
};

}  // namespace

const char* read_response_token(std::FILE* file) {
    int c = std::fgetc(file);
    while (c == ' ' || c == '\t' || c == '\n')
        c = std::fgetc(file);
    if (c == EOF)
        return nullptr;

    std::size_t length = 0;
    if (c == '"' || c == '\'') {
        const int quote = c;
        while ((c = std::fgetc(file)) != EOF && c != quote && c != '\n')
            append_to_word(length, c);
    } else {
        do {
            append_to_word(length, c);
        } while ((c = std::fgetc(file)) != EOF && c != ' ' && c != '\t' && c != '\n');
    }
    append_to_word(length, '\0');
    return word;
}

void expand_response_files(int* argc, char*** argv, int flags) {
    argument_vector rebuilt{nullptr, 0, 0};
    rebuilt.room = *argc + kVectorStep;
    rebuilt.entries = static_cast<char**>(s_alloc(rebuilt.room, sizeof(char*)));
    for (int i = 0; i < *argc; ++i) {
        const char* argument = (*argv)[i];
        const bool response_file =
            i == *argc - 1 && argument[0] == '@' && (flags & PROGRAM_RESPONSE_FILES);
        if (!response_file) {
            rebuilt.append(argument);
            continue;
        }
        std::FILE* file = std::fopen(argument + 1, "r");
        if (!file) {
            log_at(LOG_LEVEL_ERROR, "expandav", 106, "unable to open response file %s",
                   argument + 1);
            std::exit(1);
        }
        while (const char* token = read_response_token(file))
            rebuilt.append(token);
        std::fclose(file);
    }
    *argc = rebuilt.count;
    *argv = rebuilt.entries;
}
