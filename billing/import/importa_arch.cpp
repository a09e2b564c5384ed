#include "importa_arch.h"

#include <optional>
#include <string>
#include <utility>

#include "billing_file.h"
#include "record_stream.h"
#include "runtime/pipeline.h"
#include "runtime/still_working.h"

// The texts longer than a string holds in itself (the numbers of B and of
// customer X, the network service) are fetched with their record.
template <>
struct runtime::PrefetchParts<billing::BillingRecord> {
    static void of(const billing::BillingRecord& record) {
        static const std::size_t in_place = std::string().capacity();
        for (const billing::FieldValue& field : record)
            if (const auto* text = std::get_if<std::string>(&field);
                text && text->size() > in_place)
                __builtin_prefetch(text->data());
    }
};

namespace billing {

namespace {

constexpr const char* kFileErrorTitle = "Error en Archivo";
constexpr const char* kRecordErrorTitle = "Error de Importación";
constexpr const char* kEndTitle = "Fin de importación";
constexpr const char* kNothingStored = "No se guardó ningún registro del archivo.";

struct Message {
    std::string text;
    std::string title;
};

// A number as the old runtime wrote it into messages: a blank holds the place
// of the sign.
std::string withSignPlace(long long number) {
    return number < 0 ? std::to_string(number) : " " + std::to_string(number);
}

std::string engineSaid(const StoreError& error) {
    return "\nLa base de datos respondió: " + std::string(error.what()) + "\n";
}

// The store could not be opened or could not keep the file's rows.
Message fileRefused(const std::filesystem::path& ruta, const StoreError& error) {
    return {"No se pudo capturar el archivo " + ruta.string() + "." + engineSaid(error) +
                kNothingStored,
            kRecordErrorTitle};
}

Message recordRefused(long long recordNumber, const std::filesystem::path& ruta,
                      const StoreError& error) {
    return {"No se pudo capturar el registro " + std::to_string(recordNumber) + " del archivo " +
                ruta.string() + "." + engineSaid(error) + kNothingStored,
            kRecordErrorTitle};
}

// Takes the hourglass and the label away however reading ends.
class ReadingShown {
public:
    explicit ReadingShown(ImportReporter& reporter) : reporter_(reporter) {
        reporter_.importStarted();
    }
    ~ReadingShown() { reporter_.importEnded(); }
    ReadingShown(const ReadingShown&) = delete;
    ReadingShown& operator=(const ReadingShown&) = delete;

private:
    ImportReporter& reporter_;
};

}  // namespace

long long importa_arch(const std::filesystem::path& ruta, RecordStore& store,
                       ImportReporter& reporter) {
    BillingFile file(ruta);
    if (!file.isOpen()) {
        reporter.message("No se puede abrir el archivo " + ruta.string(), kFileErrorTitle);
        return 0;
    }
    try {
        store.begin();
    } catch (const StoreError& error) {
        store.rollback();
        const Message shown = fileRefused(ruta, error);
        reporter.message(shown.text, shown.title);
        return 0;
    }

    long long count = 0;
    std::optional<Message> failed;
    {
        ReadingShown reading(reporter);
        bool readFailed = false;
        try {
            // The file is read and cut on a thread of its own while this one
            // stores the records in their order; a record still short of
            // digits at the end is not stored.
            runtime::pipelined<BillingRecord>(
                [&](runtime::Pipe<BillingRecord>& pipe) {
                    RecordStream stream;
                    BillingRecord record;
                    while (const auto line = file.lee_lin()) {
                        stream.append(*line);
                        while (stream.next(record)) {
                            std::swap(pipe.next(), record);  // each keeps its texts' storage
                        }
                    }
                    readFailed = file.readFailed();
                },
                [&](const BillingRecord& record) {
                    runtime::still_working();  // the windows are drawn from this thread
                    store.add(record);
                    ++count;
                });
            if (readFailed) {
                failed =
                    Message{"No se puede leer el archivo " + ruta.string() + ".\n" + kNothingStored,
                            kFileErrorTitle};
            }
        } catch (const StoreError& error) {
            failed = recordRefused(count + 1, ruta, error);
        }
        if (!failed) {
            try {
                store.commit();
            } catch (const StoreError& error) {
                failed = fileRefused(ruta, error);
            }
        }
        // All or nothing: a file the import could not finish leaves no row.
        if (failed) {
            store.rollback();
        }
    }

    if (failed) {
        reporter.message(failed->text, failed->title);
        return 0;
    }
    reporter.message("Se capturaron " + withSignPlace(count) + " registros ", kEndTitle);
    return count;
}

}  // namespace billing
