// The login's look-up of a typed password and the compaction of the
// database, on a Ternova.mdb made from the real schema.

#include "ingreso.h"

#include <gtest/gtest.h>

#include <fstream>

#include "ternova_fixture.h"

namespace {

struct Ingreso : ::testing::Test {
    TernovaFolder folder;  // the supervisor SUPERVISOR holds "clave"
    quality::MdlTtlQuality state;

    void SetUp() override {
        state.abrebase();
        for (const auto& [nombre, clave] : {std::pair{"ANA LOPEZ", "luna"},
                                            {"BETO O'HARA", "o'hara"},
                                            {"CARLOS ÑUÑEZ", "año"},
                                            {"DORA ROJAS", "luna"}})
            state.conexion.execute("INSERT INTO SUPERVISORES (nombre, contraseña) VALUES (?, ?)",
                                   {nombre, clave});
    }
};

TEST_F(Ingreso, APasswordFindsOnlyTheRowThatHoldsIt) {
    struct Case {
        const char* typed;
        std::optional<std::string> usuario;
        bool administrador;
    };
    const Case cases[] = {
        {"clave", "SUPERVISOR", true},
        {"ClAvE", "SUPERVISOR", true},  // the supervisor's password in other letter case
        {"luna", "ANA LOPEZ", false},   // two supervisors with one password: the first
        {"LUNA", "ANA LOPEZ", false},
        {"AÑO", "CARLOS ÑUÑEZ", false},  // accented letters compare blind to case too
        {"o'hara", "BETO O'HARA", false},
        {"x' OR 'a'='a", std::nullopt, false},
        {"' OR ''='", std::nullopt, false},
        {"clave'--", std::nullopt, false},
        {"clav", std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        const quality::Ingreso ingreso = quality::busca_supervisor(state.conexion, c.typed);
        EXPECT_EQ(ingreso.usuario, c.usuario);
        EXPECT_EQ(ingreso.administrador, c.administrador);
        EXPECT_EQ(ingreso.hay_supervisor, c.usuario.has_value());
    }
}

TEST_F(Ingreso, WithoutTheSupervisorRowNobodyAdministers) {
    state.conexion.execute("DELETE FROM SUPERVISORES WHERE nombre = 'SUPERVISOR'");
    const quality::Ingreso ingreso = quality::busca_supervisor(state.conexion, "luna");
    EXPECT_EQ(ingreso.usuario, "ANA LOPEZ");
    EXPECT_FALSE(ingreso.hay_supervisor);
    EXPECT_FALSE(ingreso.administrador);
}

TEST_F(Ingreso, CompactionReplacesTheDatabaseOrLeavesItAlone) {
    const auto copy = folder.folder.path() / quality::kCompactCopyFileName;
    std::ofstream(copy) << "left over from an earlier run";
    quality::compacta_base(state);
    EXPECT_TRUE(state.conexion.is_open());
    EXPECT_EQ(state.conexion.scalar("SELECT count(*) FROM SUPERVISORES").integer(), 5);
    EXPECT_FALSE(std::filesystem::exists(copy));

    {
        db::Database otherProgram(folder.file);
        EXPECT_THROW(quality::compacta_base(state), db::Error);
    }
    EXPECT_TRUE(state.conexion.is_open());
    EXPECT_FALSE(std::filesystem::exists(copy));
    EXPECT_EQ(state.conexion.scalar("SELECT count(*) FROM SUPERVISORES").integer(), 5);

    state.conexion.close();
    std::filesystem::remove(folder.file);
    EXPECT_THROW(quality::compacta_base(state), db::Error);
    EXPECT_FALSE(state.conexion.is_open());
    EXPECT_FALSE(std::filesystem::exists(folder.file));
}

}  // namespace
