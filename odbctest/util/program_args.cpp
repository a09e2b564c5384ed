#include "program_args.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <getopt.h>

#include "response_files.h"
#include "s_alloc.h"

program_description program_info = {nullptr, "", "", 0, nullptr};

namespace {

constexpr int kUsageColumns = 78;

int option_count() {
    int count = 0;
    if (program_info.options)
        while (program_info.options[count].long_name)
            ++count;
    return count;
}

bool shown_in_usage(const option_spec& option) {
    return std::strcmp(option.long_name, "internal") != 0;
}

const char* argument_word(int kind) {
    if (kind == OPTION_FLAG)
        return "";
    return kind == OPTION_INTEGER || kind == OPTION_INTEGER2 ? " num" : " arg";
}

void store_option(const option_spec& option, const char* argument) {
    if (!option.target)
        return;
    switch (option.kind) {
        case OPTION_FLAG:
            *static_cast<int*>(option.target) = 1;
            break;
        case OPTION_TEXT:
            *static_cast<const char**>(option.target) = argument;
            break;
        case OPTION_INTEGER:
        case OPTION_INTEGER2:
            *static_cast<long*>(option.target) = std::strtol(argument, nullptr, 10);
            break;
        case OPTION_CALLBACK:
            reinterpret_cast<option_callback>(option.target)(&option);
            break;
        default:
            break;
    }
}

void write_blanks(int count) {
    for (int i = 0; i < count; ++i)
        std::fputc(' ', stderr);
}

}  // namespace

void parse_arguments(int* argc, char*** argv) {
    if (program_info.flags != 0)
        expand_response_files(argc, argv, program_info.flags);
    if (!program_info.name && *argc > 0) {
        const char* slash = std::strrchr((*argv)[0], '/');
        program_info.name = slash ? slash + 1 : (*argv)[0];
    }

    // The tables getopt_long reads: a long option reports its index through
    // `reported`; the letters follow the table's order.
    const int count = option_count();
    auto* long_options = static_cast<option*>(s_alloc(count + 1, sizeof(option)));
    auto* letters = static_cast<char*>(s_alloc(2 * count + 1, 1));
    int reported = -1;
    char* next_letter = letters;
    for (int i = 0; i < count; ++i) {
        const option_spec& wanted = program_info.options[i];
        long_options[i] = {wanted.long_name,
                           wanted.kind != OPTION_FLAG ? required_argument : no_argument, &reported,
                           i};
        if (wanted.letter) {
            *next_letter++ = wanted.letter;
            if (wanted.kind != OPTION_FLAG)
                *next_letter++ = ':';
        }
    }

    opterr = 0;  // the usage text says what went wrong, not getopt
    optind = 0;  // a full restart, should arguments be parsed again
    while (true) {
        reported = -1;
        const int code = getopt_long(*argc, *argv, letters, long_options, nullptr);
        if (code == -1)
            break;
        const option_spec* found = nullptr;
        if (code == 0 && reported >= 0) {
            found = &program_info.options[reported];
        } else if (code != '?' && code != ':') {
            for (int i = 0; i < count && !found; ++i)
                if (program_info.options[i].letter == code)
                    found = &program_info.options[i];
        }
        if (!found)
            usage_and_exit();
        store_option(*found, optarg);
    }
    std::free(long_options);
    std::free(letters);
}

void print_usage() {
    const char* name = program_info.name ? program_info.name : "";
    const int name_length = static_cast<int>(std::strlen(name));
    std::fprintf(stderr, "%s\nUsage:\n  %s", program_info.banner ? program_info.banner : "", name);

    const int count = option_count();
    int letter_count = 0;
    for (int i = 0; i < count; ++i)
        if (program_info.options[i].letter)
            ++letter_count;
    int column = name_length + 1;
    if (letter_count > 0) {
        std::fputs(" [-", stderr);
        for (int i = 0; i < count; ++i)
            if (program_info.options[i].letter)
                std::fputc(program_info.options[i].letter, stderr);
        std::fputs("]", stderr);
        column = name_length + (letter_count + 3) + 2;
    }

    // Each long option as " [+name arg]", wrapped under the program name.
    int widest = 0;
    for (int i = 0; i < count; ++i) {
        const option_spec& option = program_info.options[i];
        if (!shown_in_usage(option))
            continue;
        const int name_width = static_cast<int>(std::strlen(option.long_name));
        if (name_width > widest)
            widest = name_width;
        const int item_length =
            3 + name_width + static_cast<int>(std::strlen(argument_word(option.kind))) + 1;
        if (column + item_length > kUsageColumns) {
            std::fputc('\n', stderr);
            write_blanks(name_length + 2);
            column = name_length + 2;
        }
        std::fprintf(stderr, " [+%s%s]", option.long_name, argument_word(option.kind));
        column += item_length;
    }

    const char* synopsis = program_info.synopsis ? program_info.synopsis : "";
    if (*synopsis) {
        if (column + 1 + static_cast<int>(std::strlen(synopsis)) > kUsageColumns) {
            std::fputc('\n', stderr);
            write_blanks(name_length + 2);
        }
        std::fprintf(stderr, " %s", synopsis);
    }
    std::fputc('\n', stderr);

    for (int i = 0; i < count; ++i) {
        const option_spec& option = program_info.options[i];
        if (shown_in_usage(option))
            std::fprintf(stderr, "  +%-*s %s\n", widest + 2, option.long_name,
                         option.help ? option.help : "");
    }
}

void usage_and_exit() {
    print_usage();
    std::exit(1);
}
