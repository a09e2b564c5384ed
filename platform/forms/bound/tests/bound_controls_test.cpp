// The data control, the grid, the combo and the bound boxes on real database
// files: a store of 100,000 numbers and a small list of exchanges.

#include "database_connector.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <algorithm>
#include <functional>

#include "controls.h"
#include "data_combo.h"
#include "data_control.h"
#include "data_grid.h"
#include "database/database.h"
#include "form.h"
#include "qt_printers.h"
#include "temp_dir.h"
#include "test_program.h"
#include "text_box.h"

namespace {

constexpr long kNumbers = 100000;

// Numbers 1 to 100,000 named "n000001" ..., every tenth without a name.
constexpr const char* kSchema = R"sql(
CREATE TABLE Numeros (id INTEGER PRIMARY KEY, nombre TEXT, valor INTEGER);
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000)
INSERT INTO Numeros SELECT i, CASE WHEN i % 10 = 0 THEN NULL ELSE printf('n%06d', i) END, i * 2
FROM n;
CREATE TABLE Centrales (codigo_clli TEXT, Central TEXT);
INSERT INTO Centrales VALUES ('MTYXA', 'Monterrey Centro'), ('GDLXB', 'Guadalajara Norte'),
                             ('MEXXC', 'Mexico Sur');
CREATE VIEW Centrales_Norte AS SELECT * FROM Centrales WHERE instr(Central, 'Norte') > 0;
)sql";

struct Store : ::testing::Test {
    static void SetUpTestSuite() {
        folder = new testsupport::TempDir;
        db::Database::create_file(file(), kSchema);
    }
    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
    }
    static std::filesystem::path file() { return folder->path() / "numeros.mdb"; }
    static QString databaseName() { return QString::fromStdString(file().string()); }

    forms::DataControl* open(const QString& source, const QString& name = "Data1") {
        auto* data = forms::bound::dataControl(name, &window);
        data->setDatabaseName(databaseName());
        data->setRecordSource(source);
        data->refresh();
        return data;
    }

    static testsupport::TempDir* folder;
    QWidget window;
};

testsupport::TempDir* Store::folder = nullptr;

// The data control itself.

TEST_F(Store, DataControlMovesAndCountsTheRowsReadSoFar) {
    auto* data = forms::bound::dataControl("Data1", &window);
    EXPECT_EQ(data->objectName(), "Data1");
    data->setDatabaseName(databaseName());
    data->setRecordSource("SELECT * FROM Numeros WHERE id <= 5 ORDER BY id");
    QSignalSpy repositions(data, &forms::DataControl::reposition);
    data->refresh();
    auto& rs = data->recordset();
    EXPECT_EQ(repositions.count(), 1);
    EXPECT_FALSE(rs.bof());
    EXPECT_FALSE(rs.eof());
    EXPECT_EQ(rs.absolutePosition(), 0);
    EXPECT_EQ(rs.recordCount(), 5);  // a small source is read at once
    EXPECT_EQ(rs.field("NOMBRE").to_text(), "n000001");
    EXPECT_EQ(rs.field(2).integer(), 2);

    rs.moveNext();
    rs.moveNext();
    EXPECT_EQ(rs.absolutePosition(), 2);
    rs.moveLast();
    EXPECT_EQ(rs.field("id").integer(), 5);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.absolutePosition(), -1);
    EXPECT_THROW(rs.moveNext(), forms::DataError);
    EXPECT_THROW(rs.field("id"), forms::DataError);
    rs.movePrevious();
    EXPECT_EQ(rs.field("id").integer(), 5);
    rs.moveFirst();
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    EXPECT_FALSE(rs.eof());
    EXPECT_THROW(rs.movePrevious(), forms::DataError);
    EXPECT_EQ(repositions.count(), 8);  // every move, to EOF and BOF as well

    EXPECT_THROW(rs.field("nada"), forms::DataError);
    EXPECT_TRUE(rs.findFirst("[nombre] like 'N000004'"));
    EXPECT_EQ(rs.absolutePosition(), 3);
    EXPECT_FALSE(rs.findFirst("[nombre] like 'n000009'"));
    EXPECT_EQ(rs.absolutePosition(), 3);
}

TEST_F(Store, RefreshRunsTheNewRecordSource) {
    auto* data = open("Centrales");
    auto* grid = forms::control<forms::DataGrid>("DBGrid1", &window);
    grid->setDataSource(data);
    EXPECT_EQ(grid->model()->columnCount(), 2);
    EXPECT_EQ(grid->model()->rowCount(), 3);

    QSignalSpy repositions(data, &forms::DataControl::reposition);
    data->setRecordSource("SELECT id, valor FROM Numeros WHERE id BETWEEN 10 AND 12");
    data->refresh();
    EXPECT_EQ(repositions.count(), 1);
    EXPECT_EQ(grid->model()->columnCount(), 2);
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), "valor");
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->model()->index(2, 1).data().toString(), "24");
    EXPECT_EQ(data->recordset().field("id").integer(), 10);

    // An empty result: at BOF and EOF, no row, and Reposition all the same.
    data->setRecordSource("SELECT * FROM Numeros WHERE valor < 0");
    data->refresh();
    EXPECT_EQ(repositions.count(), 2);
    EXPECT_TRUE(data->recordset().bof());
    EXPECT_TRUE(data->recordset().eof());
    EXPECT_EQ(data->recordset().absolutePosition(), -1);
    EXPECT_EQ(data->recordset().recordCount(), 0);
    EXPECT_EQ(grid->model()->rowCount(), 0);
    EXPECT_EQ(grid->model()->columnCount(), 3);
    EXPECT_THROW(data->recordset().moveFirst(), forms::DataError);

    // A source that cannot open leaves the control closed.
    data->setRecordSource("SELECT * FROM NoTable");
    EXPECT_THROW(data->refresh(), forms::DataError);
    EXPECT_FALSE(data->recordset().isOpen());
    EXPECT_EQ(data->recordset().recordCount(), 0);
    EXPECT_EQ(grid->model()->columnCount(), 0);
}

TEST_F(Store, SmallSourceLeavesTheFileFreeForOtherWriters) {
    // The program's own connection writes while a window shows a statement.
    auto* data = open("SELECT * FROM Centrales ORDER BY Central");
    db::Database other(file(), db::OpenOptions{100});
    EXPECT_EQ(other.execute("UPDATE Centrales SET Central = Central WHERE codigo_clli = 'MTYXA'"),
              1);
    EXPECT_EQ(data->recordset().recordCount(), 3);
}

TEST_F(Store, MissingDatabaseFileIsAnErrorNotANewFile) {
    auto* data = forms::bound::dataControl("Data1", &window);
    const auto missing = folder->path() / "otro.mdb";
    data->setDatabaseName(QString::fromStdString(missing.string()));
    data->setRecordSource("Centrales");
    EXPECT_THROW(data->refresh(), forms::DataError);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

// The grid.

// Waits, as the window would between two events, until the count has come.
void waitForCount(forms::DataControl* data) {
    for (int i = 0; i < 500 && !data->source()->counted(); ++i)
        QTest::qWait(10);
    QTest::qWait(20);  // the news of it comes as an event
}

TEST_F(Store, GridOverALargeStoreCountsEveryRowAndDrawsAnyPlaceOfIt) {
    auto* data = forms::bound::dataControl("Data1", &window);
    auto* grid = forms::control<forms::DataGrid>("DBGrid1", &window);
    grid->setDataSource(data);
    QObject::connect(data, &forms::DataControl::reposition, data, [data] {
        data->setCaption(QString("Registro: %1 de: %2")
                             .arg(data->recordset().absolutePosition() + 1)
                             .arg(data->recordset().recordCount()));
    });
    window.resize(600, 400);
    grid->resize(580, 300);
    window.show();
    data->setDatabaseName(databaseName());
    data->setRecordSource("SELECT * FROM Numeros");
    data->refresh();
    // The first page shows at once; the count follows, and the caption with it.
    EXPECT_GE(grid->model()->rowCount(), 1);
    EXPECT_EQ(grid->model()->index(8, 1).data().toString(), "n000009");
    EXPECT_EQ(grid->model()->index(9, 1).data().toString(), "");  // Null shows empty
    waitForCount(data);
    EXPECT_EQ(data->caption(), "Registro: 1 de: 100000");
    EXPECT_EQ(grid->model()->rowCount(), kNumbers);
    EXPECT_EQ(grid->model()->columnCount(), 3);
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), "nombre");
    EXPECT_GE(grid->columnWidth(1), grid->fontMetrics().horizontalAdvance("n000009"));

    // The scroll bar dragged to the end draws the last rows; nothing moves.
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    QCoreApplication::processEvents();
    const QModelIndex last = grid->indexAt(grid->viewport()->rect().bottomLeft() + QPoint(5, -5));
    EXPECT_GT(last.row(), kNumbers - 30);
    EXPECT_EQ(data->recordset().absolutePosition(), 0);
    EXPECT_EQ(grid->model()->index(kNumbers - 2, 1).data().toString(), "n099999");

    // A click on a row shown makes it the data control's current row.
    const QModelIndex row = grid->model()->index(kNumbers - 3, 1);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(row).center());
    EXPECT_EQ(data->recordset().absolutePosition(), kNumbers - 3);
    EXPECT_EQ(data->recordset().field("nombre").to_text(), "n099998");
    EXPECT_EQ(data->caption(), "Registro: 99998 de: 100000");
}

TEST_F(Store, MovesReachTheTrueLastRowFromTheGridTheButtonsAndCode) {
    const struct {
        const char* how;
        std::function<void(forms::DataControl*, forms::DataGrid*)> move;
    } lasts[] = {
        {"Ctrl+End",
         [](forms::DataControl*, forms::DataGrid* grid) {
             QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
         }},
        {"last-record button",
         [](forms::DataControl* data, forms::DataGrid*) {
             data->findChild<QToolButton*>("moveLast")->click();
         }},
        {"MoveLast",
         [](forms::DataControl* data, forms::DataGrid*) { data->recordset().moveLast(); }},
    };
    for (const auto& c : lasts) {
        SCOPED_TRACE(c.how);
        QWidget form;
        auto* data = forms::bound::dataControl("Data1", &form);
        auto* grid = forms::control<forms::DataGrid>("DBGrid1", &form);
        grid->setDataSource(data);
        form.show();
        data->setDatabaseName(databaseName());
        data->setRecordSource("SELECT * FROM Numeros WHERE id <= 3000");
        data->refresh();
        grid->setFocus();
        // Right after the opening, before the count has come.
        c.move(data, grid);
        EXPECT_EQ(data->recordset().absolutePosition(), 2999);
        EXPECT_EQ(data->recordset().field("id").integer(), 3000);
        EXPECT_EQ(data->recordset().recordCount(), 3000);
        EXPECT_EQ(grid->currentIndex().row(), 2999);
        // The next-record button stays there; code moves on to EOF.
        data->findChild<QToolButton*>("moveNext")->click();
        EXPECT_EQ(data->recordset().absolutePosition(), 2999);
        data->recordset().moveNext();
        EXPECT_TRUE(data->recordset().eof());
        EXPECT_FALSE(grid->currentIndex().isValid());
        data->recordset().movePrevious();
        data->recordset().movePrevious();
        EXPECT_EQ(data->recordset().field("id").integer(), 2999);
        data->findChild<QToolButton*>("moveFirst")->click();
        EXPECT_EQ(grid->currentIndex().row(), 0);
    }
}

TEST_F(Store, GridsCurrentRowFollowsTheDataControlAndBack) {
    auto* data = open("SELECT * FROM Numeros");
    auto* grid = forms::control<forms::DataGrid>("DBGrid1", &window);
    grid->setDataSource(data);
    for (int i = 0; i < 4; ++i)
        data->recordset().moveNext();
    EXPECT_EQ(grid->currentIndex().row(), 4);

    // The user picks a row of the grid.
    QSignalSpy repositions(data, &forms::DataControl::reposition);
    grid->setCurrentIndex(grid->model()->index(4, 0));
    EXPECT_EQ(repositions.count(), 0);  // already there
    grid->setCurrentIndex(grid->model()->index(20, 1));
    EXPECT_EQ(repositions.count(), 1);
    EXPECT_EQ(data->recordset().absolutePosition(), 20);
    EXPECT_EQ(data->recordset().field("id").integer(), 21);

    // A row far beyond the first page, by code: the grid goes there.
    data->recordset().moveTo(77777);
    EXPECT_EQ(grid->currentIndex().row(), 77777);
    EXPECT_EQ(grid->model()->rowCount(), kNumbers);
    EXPECT_EQ(data->recordset().field("valor").integer(), 2 * 77778);
}

// A grid over a large source holds nothing of the file between two pages:
// another program's write goes through at once, whatever the user did.
TEST_F(Store, AnotherConnectionWritesWhileAGridOverALargeStoreIsOpen) {
    auto* data = open("SELECT * FROM Numeros");
    auto* grid = forms::control<forms::DataGrid>("DBGrid1", &window);
    grid->setDataSource(data);
    window.show();
    db::Database other(file(), db::OpenOptions{100});
    db::Transaction saving(other);
    EXPECT_EQ(other.execute("UPDATE Numeros SET valor = valor WHERE id = 1"), 1);
    saving.commit();
    data->recordset().moveTo(50000);
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum() / 3);
    QCoreApplication::processEvents();
    EXPECT_EQ(other.execute("UPDATE Numeros SET valor = -valor WHERE id = 50001"), 1);
    EXPECT_EQ(other.execute("INSERT INTO Centrales VALUES ('NUEVA', 'Nueva')"), 1);
    EXPECT_EQ(other.execute("DELETE FROM Centrales WHERE codigo_clli = 'NUEVA'"), 1);
    other.execute("UPDATE Numeros SET valor = -valor WHERE id = 50001");
}

// The cache stays a few pages whatever the user does: the rows in memory
// after jumps all over a large source.
TEST_F(Store, RepeatedJumpsKeepTheCacheToAFewPages) {
    auto* data = open("SELECT * FROM Numeros");
    auto* grid = forms::control<forms::DataGrid>("DBGrid1", &window);
    grid->setDataSource(data);
    window.resize(600, 400);
    grid->resize(580, 300);
    window.show();
    long most = 0;
    for (int i = 0; i < 300; ++i) {
        const long row = (i * 7919L) % kNumbers;
        if (i % 2)
            data->recordset().moveTo(row);
        else
            grid->verticalScrollBar()->setValue(static_cast<int>(row));
        QCoreApplication::processEvents();
        most = std::max(most, data->source()->rowsCached());
    }
    EXPECT_EQ(data->recordset().recordCount(), kNumbers);
    EXPECT_GT(most, 0);
    EXPECT_LE(most, 40 * 100);  // the cache's pages, a sliver of the rows
}

TEST_F(Store, ArrowsMoveWithinTheRows) {
    auto* data = open("SELECT * FROM Numeros WHERE id <= 3");
    auto click = [data](const char* arrow) { data->findChild<QToolButton*>(arrow)->click(); };
    click("moveNext");
    click("moveNext");
    click("moveNext");  // stays on the last row
    EXPECT_EQ(data->recordset().field("id").integer(), 3);
    click("movePrevious");
    EXPECT_EQ(data->recordset().field("id").integer(), 2);
    click("moveFirst");
    click("movePrevious");  // stays on the first row
    EXPECT_EQ(data->recordset().absolutePosition(), 0);
    click("moveLast");
    EXPECT_EQ(data->recordset().absolutePosition(), 2);
}

// The combo.

TEST_F(Store, ComboListsOneFieldAndGivesTheBoundColumn) {
    auto* data = open("select * from Centrales");
    auto* combo = forms::control<forms::DataCombo>("DBCombo1", &window);
    combo->setRowSource(data);
    combo->setListField("Central");
    combo->setBoundColumn("codigo_clli");
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(1), "Guadalajara Norte");
    EXPECT_EQ(combo->text(), "");
    EXPECT_EQ(combo->boundText(), "");

    QSignalSpy changes(combo, &QComboBox::editTextChanged);
    QSignalSpy clicks(combo, &QComboBox::activated);
    combo->setText("mexico sur");  // typed, blind to case
    EXPECT_EQ(changes.count(), 1);
    EXPECT_TRUE(combo->matchedWithList());
    EXPECT_EQ(combo->boundText(), "MEXXC");
    combo->setText("Mexico");
    EXPECT_FALSE(combo->matchedWithList());
    EXPECT_EQ(combo->boundText(), "");
    combo->setBoundText("GDLXB");
    EXPECT_EQ(combo->text(), "Guadalajara Norte");
    combo->setText("");
    EXPECT_EQ(changes.count(), 4);
    EXPECT_EQ(clicks.count(), 0);

    // The user picks an entry from the list.
    combo->showPopup();
    QTest::keyClick(combo->view(), Qt::Key_Down);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(combo->boundText(), combo->itemData(combo->currentIndex()).toString());
    EXPECT_FALSE(combo->boundText().isEmpty());

    // Refreshing the row source lists its new rows and keeps the text.
    const QString text = combo->text();
    data->setRecordSource("Centrales_Norte");
    data->refresh();
    EXPECT_EQ(combo->count(), 1);
    EXPECT_EQ(combo->text(), text);
}

TEST_F(Store, ComboBoundByDataFieldShowsTheCurrentRowsEntry) {
    auto* list = open("Centrales", "Data1");
    auto* rows = open("SELECT * FROM Centrales ORDER BY Central", "Data2");
    auto* combo = forms::control<forms::DataCombo>("cmbubic", &window);
    combo->setRowSource(list);
    combo->setListField("Central");
    combo->setBoundColumn("codigo_clli");
    forms::setDataSource(combo, rows, "codigo_clli");
    EXPECT_EQ(combo->text(), "Guadalajara Norte");
    rows->recordset().moveNext();
    EXPECT_EQ(combo->text(), "Mexico Sur");
    EXPECT_EQ(combo->boundText(), "MEXXC");
}

// Bound boxes.

TEST_F(Store, BoundBoxesShowTheCurrentRowsFields) {
    auto* data = open("SELECT * FROM Numeros WHERE id BETWEEN 9 AND 11 ORDER BY id");
    auto* nombre = forms::control<forms::TextBox>("Text1", &window);
    auto* valor = forms::control<QLabel>("Label1", &window);
    forms::setDataSource(nombre, data, "nombre");
    forms::setDataSource(valor, data);
    EXPECT_EQ(forms::dataField(nombre), "nombre");
    EXPECT_EQ(nombre->text(), "n000009");
    EXPECT_EQ(valor->text(), "");  // no field yet

    QStringList shown;  // the box's Change runs before Reposition
    QObject::connect(nombre, &forms::TextBox::changed, nombre,
                     [&shown](const QString& text) { shown << "change " + text; });
    QObject::connect(data, &forms::DataControl::reposition, data, [&] { shown << "reposition"; });
    forms::setDataField(valor, "valor");
    EXPECT_EQ(valor->text(), "18");
    data->recordset().moveNext();
    EXPECT_EQ(nombre->text(), "");  // Null
    EXPECT_EQ(valor->text(), "20");
    data->recordset().moveNext();
    data->recordset().moveNext();
    EXPECT_EQ(shown, (QStringList{"change ", "reposition", "change n000011", "reposition",
                                  "change ", "reposition"}));
    EXPECT_EQ(nombre->text(), "");  // at EOF
    EXPECT_EQ(valor->text(), "");
}

TEST_F(Store, UpdateWritesTheEditedBoxesAndTheFieldsSet) {
    testsupport::TempDir own;
    const auto path = own.path() / "tecnicos.mdb";
    db::Database::create_file(path, R"sql(
        CREATE TABLE TECNICOS (Iniciales TEXT PRIMARY KEY, Nombre TEXT, ubicacion TEXT);
        INSERT INTO TECNICOS VALUES ('abc', 'ANA BELTRAN', '0'), ('xyz', 'XAVIER YANEZ', '1');
    )sql");
    auto* data = forms::bound::dataControl("Data1", &window);
    data->setDatabaseName(QString::fromStdString(path.string()));
    data->setRecordSource("SELECT * FROM TECNICOS");
    data->refresh();
    auto* iniciales = forms::control<forms::TextBox>("txtiniciales", &window);
    auto* nombre = forms::control<forms::TextBox>("txtnombre", &window);
    iniciales->setLocked(true);
    forms::setDataSource(iniciales, data, "Iniciales");
    forms::setDataSource(nombre, data, "Nombre");
    data->recordset().moveNext();
    ASSERT_TRUE(data->recordset().updatable());

    nombre->setText("Xavier Yáñez");  // as typed, no change of case
    data->recordset().edit();
    data->recordset().set(2, "0");
    EXPECT_EQ(data->recordset().field("ubicacion").to_text(), "0");
    data->recordset().update();
    EXPECT_EQ(data->recordset().absolutePosition(), 1);
    EXPECT_EQ(nombre->text(), "Xavier Yáñez");

    // An edit dropped by moving away is not written.
    data->recordset().moveFirst();
    nombre->setText("OTRO");
    data->recordset().moveNext();
    data->recordset().moveFirst();
    EXPECT_EQ(nombre->text(), "ANA BELTRAN");
    // Nothing changed: nothing written.
    data->recordset().update();

    db::Database check(path);
    EXPECT_EQ(
        check.scalar("SELECT Nombre || '/' || ubicacion FROM TECNICOS WHERE Iniciales = 'xyz'")
            .to_text(),
        "Xavier Yáñez/0");
    EXPECT_EQ(check.scalar("SELECT Nombre FROM TECNICOS WHERE Iniciales = 'abc'").to_text(),
              "ANA BELTRAN");

    // An emptied box stores Null.
    nombre->setText("");
    data->recordset().update();
    EXPECT_TRUE(check.scalar("SELECT Nombre FROM TECNICOS WHERE Iniciales = 'abc'").is_null());
}

TEST_F(Store, ReadOnlySourceRefusesUpdate) {
    auto* data = open("SELECT Central, count(*) AS n FROM Centrales GROUP BY Central");
    EXPECT_FALSE(data->recordset().updatable());
    data->recordset().set("Central", "Otra");
    EXPECT_THROW(data->recordset().update(), forms::DataError);
}

// In a window: the opening after Load.

class FrmRegistros : public forms::Form {
public:
    FrmRegistros(forms::Program& program, QString database, QString source)
        : Form(program, "prueba"), database_(std::move(database)), source_(std::move(source)) {
        // Data control and grid:
        Data1 = forms::bound::dataControl("Data1", client());
        DBGrid1 = forms::control<forms::DataGrid>("DBGrid1", client());
        DBGrid1->setDataSource(Data1);
        connect(Data1, &forms::DataControl::reposition, this, &FrmRegistros::Data1_Reposition);
    }
    void Form_Load() override {
        Data1->setDatabaseName(database_);
        Data1->setRecordSource(source_);
    }
    void Data1_Reposition() {
        if (Data1->recordset().recordCount() == 0)
            msgBox("No existe información en la base de datos");
        Data1->setCaption(QString("Registro: %1 de: %2")
                              .arg(Data1->recordset().absolutePosition() + 1)
                              .arg(Data1->recordset().recordCount()));
    }

    forms::DataControl* Data1;
    forms::DataGrid* DBGrid1;

private:
    QString database_, source_;
};

TEST_F(Store, DataControlOpensAfterTheWindowsLoad) {
    const struct {
        QString source;
        QString caption;
        std::vector<QString> messages;
    } cases[] = {
        {"SELECT * FROM Numeros WHERE id <= 25", "Registro: 1 de: 25", {}},
        // Larger than the first page: the caption follows once counted.
        {"SELECT * FROM Numeros WHERE id <= 4000", "Registro: 1 de: 4000", {}},
        {"SELECT * FROM Numeros WHERE id < 0",
         "Registro: 0 de: 0",
         {"No existe información en la base de datos"}},
        {"SELECT * FROM Numeros WHERE [nombre like '*", "", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source.toStdString());
        forms::TestProgram app("riruzoz");
        auto* window = app.show<FrmRegistros>(forms::Modeless, databaseName(), c.source);
        ASSERT_NE(window, nullptr);
        if (window->Data1->source())
            waitForCount(window->Data1);
        EXPECT_EQ(window->Data1->caption(), c.caption);
        if (c.caption.isEmpty()) {
            // A statement that fails: its error is shown, the window stays, empty.
            ASSERT_EQ(app.messages.shown.size(), 1u);
            EXPECT_EQ(app.messages.shown[0].style, forms::msg::Exclamation);
            EXPECT_EQ(window->DBGrid1->model()->rowCount(), 0);
            continue;
        }
        ASSERT_EQ(app.messages.shown.size(), c.messages.size());
        for (size_t i = 0; i < c.messages.size(); ++i)
            EXPECT_EQ(app.messages.shown[i].text, c.messages[i]);
    }
}

}  // namespace
