#include "selection_formula.h"

#include <algorithm>

#include "report_error.h"
#include "runtime/strings.h"

namespace report {

namespace {

class FormulaReader {
public:
    explicit FormulaReader(std::string_view text) : text_(text) {}

    std::vector<Condition> conditions() {
        std::vector<Condition> out;
        skipBlanks();
        if (atEnd())
            return out;
        for (;;) {
            out.push_back(condition());
            skipBlanks();
            if (atEnd())
                return out;
            if (!keyword("AND"))
                fail("se esperaba AND o el final de la fórmula");
            skipBlanks();
            if (atEnd())
                fail("falta una comparación después de AND");
        }
    }

private:
    Condition condition() {
        Condition c;
        expect('{', "se esperaba '{'");
        const std::size_t close = text_.find('}', pos_);
        if (close == std::string_view::npos)
            fail("falta '}'");
        const std::string_view inside = text_.substr(pos_, close - pos_);
        const std::size_t dot = inside.find('.');
        if (dot == std::string_view::npos)
            fail("se esperaba {tabla.campo}");
        c.table = trimmed(inside.substr(0, dot));
        c.field = trimmed(inside.substr(dot + 1));
        if (c.table.empty() || c.field.empty() || c.field.find('.') != std::string::npos ||
            inside.find('{') != std::string_view::npos)
            fail("se esperaba {tabla.campo}");
        pos_ = close + 1;
        skipBlanks();
        expect('=', "se esperaba '='");
        skipBlanks();
        c.value = quotedText();
        return c;
    }

    std::string quotedText() {
        if (atEnd() || (text_[pos_] != '\'' && text_[pos_] != '"'))
            fail("se esperaba un texto entre comillas");
        const char quote = text_[pos_++];
        std::string value;
        for (;;) {
            if (atEnd())
                fail("falta la comilla que cierra el texto");
            const char c = text_[pos_++];
            if (c != quote) {
                value += c;
            } else if (!atEnd() && text_[pos_] == quote) {
                value += quote;
                ++pos_;
            } else {
                return value;
            }
        }
    }

    // A word of the formula, blind to case, standing alone.
    bool keyword(std::string_view word) {
        if (text_.size() - pos_ < word.size() ||
            !runtime::equal_case_blind(text_.substr(pos_, word.size()), word))
            return false;
        const std::size_t after = pos_ + word.size();
        if (after < text_.size() && text_[after] != ' ' && text_[after] != '\t' &&
            text_[after] != '{')
            return false;
        pos_ = after;
        return true;
    }

    void expect(char c, const char* what) {
        if (atEnd() || text_[pos_] != c)
            fail(what);
        ++pos_;
    }
    void skipBlanks() {
        while (!atEnd() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r' ||
                            text_[pos_] == '\n'))
            ++pos_;
    }
    bool atEnd() const { return pos_ >= text_.size(); }
    static std::string trimmed(std::string_view s) {
        std::size_t b = 0, e = s.size();
        while (b < e && (s[b] == ' ' || s[b] == '\t'))
            ++b;
        while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
            --e;
        return std::string(s.substr(b, e - b));
    }
    [[noreturn]] void fail(const std::string& what) const {
        throw ReportError("La fórmula de selección no es válida (carácter " +
                          std::to_string(characterPosition()) + "): " + what + ".");
    }
    // The 1-based position in characters, not bytes.
    long characterPosition() const {
        return runtime::len(text_.substr(0, std::min(pos_, text_.size()))) + 1;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

}  // namespace

std::vector<Condition> parseSelectionFormula(std::string_view formula) {
    return FormulaReader(formula).conditions();
}

}  // namespace report
