#pragma once
// The two ways text that a user typed may reach a statement: bound as a
// parameter, or quoted with its quotes doubled. No other way is allowed.

#include <string>
#include <string_view>
#include <vector>

#include "runtime/value.h"

namespace db {

// Bound parameters: the values of the statement's "?" marks, in order.
// "SELECT * FROM SUPERVISORES WHERE contraseña = ?" with {typed_password}.
using Params = std::vector<runtime::Value>;

// A string literal of the typed text: "'" + text with every "'" doubled + "'".
// quote("O'Brien") is "'O''Brien'". For statements that must be built as
// text (filters assembled from many boxes, criteria of find_first).
std::string quote(std::string_view text);

}  // namespace db
