#include "importa_arch.h"

#include <optional>
#include <string>

#include "billing_file.h"
#include "record_stream.h"
#include "runtime/still_working.h"

namespace billing {

namespace {

constexpr const char* kFileErrorTitle = "Error en Archivo";
constexpr const char* kRecordErrorTitle = "Error de Importación";
constexpr const char* kEndTitle = "Fin de importación";
constexpr const char* kProgramTitle = "";

struct Message {
    std::string text;
    std::string title;
};

// A number as the old runtime wrote it into messages: a blank holds the place
// of the sign.
std::string withSignPlace(long long number) {
    return number < 0 ? std::to_string(number) : " " + std::to_string(number);
}

// The engine's own words, as the program's error handler shows them.
Message engineError(const StoreError& error) {
    return {"Error: " + std::to_string(error.number()) + " " + error.what(), kProgramTitle};
}

Message recordRefused(long long recordNumber, const StoreError& error) {
    return {"No se pudo capturar el registro " + std::to_string(recordNumber) +
                ". Error: " + std::to_string(error.number()) + " " + error.what(),
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
        const Message shown = engineError(error);
        reporter.message(shown.text, shown.title);
        return 0;
    }

    long long count = 0;
    std::optional<Message> stopped;
    std::optional<Message> notKept;
    {
        ReadingShown reading(reporter);
        RecordStream stream;
        BillingRecord record;
        try {
            // Every record a line completes is stored before the next line
            // is read; a record still short of digits at the end is not.
            while (const auto line = file.lee_lin()) {
                runtime::still_working();
                stream.append(*line);
                while (stream.next(record)) {
                    store.add(record);
                    ++count;
                }
            }
            if (file.readFailed()) {
                stopped = Message{"No se puede leer el archivo " + ruta.string(), kFileErrorTitle};
            }
        } catch (const StoreError& error) {
            stopped = recordRefused(count + 1, error);
        }
        try {
            store.commit();
        } catch (const StoreError& error) {
            notKept = engineError(error);
        }
    }

    if (stopped) {
        reporter.message(stopped->text, stopped->title);
    }
    if (notKept) {
        reporter.message(notKept->text, notKept->title);
        return 0;
    }
    reporter.message("Se capturaron " + withSignPlace(count) + " registros ", kEndTitle);
    return count;
}

}  // namespace billing
