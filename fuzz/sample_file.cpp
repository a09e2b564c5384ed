// riruzoz's import of a sample file of rejected billing records, into a
// store that keeps the rows in memory and checks what the import promises
// of them. Input: the sample file's bytes.

#include <array>

#include "fuzz_support.h"
#include "importa_muestras.h"
#include "sample_lines.h"

namespace {

using namespace rejections;

class CheckingStore : public SampleStore {
public:
    void begin() override {
        FUZZ_CHECK(!open);
        open = true;
    }
    void insertFile(const std::string&, const std::string&) override { FUZZ_CHECK(open); }
    void insertRow(const SampleRow& row) override {
        FUZZ_CHECK(open);
        // The database numbers the rows; texts reach it in UTF-8.
        FUZZ_CHECK(std::holds_alternative<std::monostate>(row.fields[0]));
        for (const FieldValue& field : row.fields)
            if (const auto* text = std::get_if<std::string>(&field))
                FUZZ_CHECK(fuzz::is_utf8(*text));
        ++rows;
    }
    void commit() override {
        FUZZ_CHECK(open);
        open = false;
    }
    void rollback() noexcept override { open = false; }
    bool open = false;
    long rows = 0;
};

class Messages : public ImportMessages {
public:
    void show(std::string_view text, std::optional<std::string_view> title) override {
        FUZZ_CHECK(fuzz::is_utf8(text));
        FUZZ_CHECK(!title || fuzz::is_utf8(*title));
    }
};

class Pointer : public WaitPointer {
public:
    void setWindowPointer(MousePointer) override {}
    void setScreenPointer(MousePointer pointer) override { screen = pointer; }
    MousePointer screen = MousePointer::Default;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::ScratchFolder folder;
    const auto input = fuzz::bytes(data, size);

    // A line field views the line it was taken from.
    std::string_view line = input.substr(0, 200);
    for (int i = 0; i < 30; ++i) {
        const std::string_view before = line;
        const std::string_view field = sig_campo(line);
        FUZZ_CHECK(field.empty() || (field.data() >= before.data() &&
                                     field.data() + field.size() <= before.data() + before.size()));
        FUZZ_CHECK(line.size() <= before.size());
    }

    const std::string nombre = "AB80615.txt";
    const auto ruta = folder.write(nombre, input);
    CheckingStore store;
    Messages messages;
    Pointer pointer;
    // The file pick begins the import's transaction with the file's row.
    store.begin();
    store.insertFile(nombre, "08/06/15");
    importa_muestras(ImportServices{store, messages, pointer, 2015}, ruta, nombre);
    // On every path the transaction is ended and the screen's pointer is the
    // default again (the window keeps its own, as the old program left it).
    FUZZ_CHECK(!store.open);
    FUZZ_CHECK(pointer.screen == MousePointer::Default);
    return 0;
}
