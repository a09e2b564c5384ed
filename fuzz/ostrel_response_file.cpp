// ostrel's response files: "@file" as the last argument stands for the words
// of the file. Input: the file's bytes.

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "program_args.h"
#include "response_files.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFolder folder;
    const auto input = fuzz::bytes(data, size);

    // The words one by one, as the expansion reads them.
    std::vector<std::string> words;
    std::FILE* file = fmemopen(const_cast<char*>(input.data()), input.size(), "r");
    if (input.empty())
        file = std::fopen("/dev/null", "r");
    FUZZ_CHECK(file);
    while (const char* word = read_response_token(file)) {
        FUZZ_CHECK(std::strlen(word) <= input.size());
        words.emplace_back(word);
    }
    std::fclose(file);

    // The rebuilt vector: the program, then the same words, then a null.
    const std::string argument = "@" + folder.write("args.rsp", input).string();
    char program[] = "ostrel";
    std::vector<char> last(argument.begin(), argument.end());
    last.push_back('\0');
    char* original[] = {program, last.data(), nullptr};
    int argc = 2;
    char** argv = original;
    expand_response_files(&argc, &argv, PROGRAM_RESPONSE_FILES);
    FUZZ_CHECK(argc == static_cast<int>(words.size()) + 1);
    FUZZ_CHECK(std::strcmp(argv[0], "ostrel") == 0);
    for (int i = 1; i < argc; ++i)
        FUZZ_CHECK(words[i - 1] == argv[i]);
    FUZZ_CHECK(argv[argc] == nullptr);
    // The program keeps its vector to its end; here each run frees its own.
    for (int i = 0; i < argc; ++i)
        std::free(argv[i]);
    std::free(argv);
    return 0;
}
