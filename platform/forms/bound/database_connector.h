#pragma once
// The data controls on the program's database files: each data control opens
// its own connection to its DatabaseName and a recordset on its
// RecordSource, read as the cursor and the grid reach the rows.
//
//     Data1 = forms::bound::dataControl("Data1", client());
//     Data1->setDatabaseName(programFolder + "/Ternova.mdb");
//     Data1->setRecordSource("Porcentaje_Tecnicos");
//     Data1->refresh();

#include <QString>
#include <QWidget>

#include <memory>

#include "data_control.h"
#include "record_source.h"

namespace forms::bound {

// Opens record sources with platform/database: a table or a saved query by
// its name, or a statement of the old dialect. Database errors come out as
// DataError with the engine's number and text.
class DatabaseConnector : public DataConnector {
public:
    std::unique_ptr<RecordSource> open(const QString& databaseName,
                                       const QString& recordSource) override;
};

// The connector every data control of the programs uses.
std::shared_ptr<DataConnector> databaseConnector();

// A data control named as in the old form, owned by its parent, on the
// database connector.
DataControl* dataControl(const QString& name, QWidget* parent);

}  // namespace forms::bound
