#include "package.h"

#include <memory>

#include <zip.h>

#include "workbook_error.h"

namespace workbook {

namespace {

// An open archive; one that was never closed successfully is discarded, so
// nothing of it reaches the disk.
struct ArchiveDiscarder {
    void operator()(zip_t* archive) const noexcept { zip_discard(archive); }
};
using Archive = std::unique_ptr<zip_t, ArchiveDiscarder>;

struct EntryCloser {
    void operator()(zip_file_t* entry) const noexcept { zip_fclose(entry); }
};
using Entry = std::unique_ptr<zip_file_t, EntryCloser>;

std::string openErrorText(int code) {
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    std::string text = zip_error_strerror(&error);
    zip_error_fini(&error);
    return text;
}

[[noreturn]] void failToRead(const std::filesystem::path& file, const std::string& reason) {
    throw WorkbookError("cannot open the workbook \"" + file.string() + "\": " + reason);
}

}  // namespace

Package Package::read(const std::filesystem::path& file) {
    std::error_code status;
    if (!std::filesystem::exists(file, status))
        failToRead(file, "no such file");
    if (std::filesystem::is_directory(file, status))
        failToRead(file, "it is a folder");

    int code = 0;
    Archive archive(zip_open(file.c_str(), ZIP_RDONLY, &code));
    if (!archive)
        failToRead(file, code == ZIP_ER_NOZIP ? "not a workbook file" : openErrorText(code));

    Package package;
    zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        zip_stat_t stat;
        if (zip_stat_index(archive.get(), index, 0, &stat) != 0)
            failToRead(file, zip_strerror(archive.get()));
        std::string name = stat.name;
        if (name.ends_with('/'))
            continue;  // a folder entry carries nothing of the workbook
        PackagePart part{std::move(name), std::string(stat.size, '\0')};
        Entry entry(zip_fopen_index(archive.get(), index, 0));
        if (!entry || zip_fread(entry.get(), part.content.data(), stat.size) !=
                          static_cast<zip_int64_t>(stat.size))
            failToRead(file,
                       "part " + part.name + " can't be read: " + zip_strerror(archive.get()));
        package.parts_.push_back(std::move(part));
    }
    return package;
}

PackagePart* Package::find(std::string_view name) {
    for (PackagePart& part : parts_)
        if (part.name == name)
            return &part;
    return nullptr;
}

const PackagePart* Package::find(std::string_view name) const {
    return const_cast<Package*>(this)->find(name);
}

void Package::write(const std::filesystem::path& file) const {
    auto fail = [&](const std::string& reason) {
        throw WorkbookError("cannot save the workbook \"" + file.string() + "\": " + reason);
    };
    std::error_code status;
    if (std::filesystem::is_directory(file, status))
        fail("a folder of that name is in the way");

    // The archive is assembled in memory and written by zip_close into a
    // temporary file beside the target, which then replaces the target.
    int code = 0;
    Archive archive(zip_open(file.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &code));
    if (!archive)
        fail(openErrorText(code));
    for (const PackagePart& part : parts_) {
        zip_source_t* source =
            zip_source_buffer(archive.get(), part.content.data(), part.content.size(), 0);
        if (!source)
            fail(zip_strerror(archive.get()));
        if (zip_file_add(archive.get(), part.name.c_str(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            fail(zip_strerror(archive.get()));
        }
    }
    if (zip_close(archive.get()) != 0)
        fail(zip_strerror(archive.get()));
    archive.release();  // closed, and freed by zip_close
}

}  // namespace workbook
