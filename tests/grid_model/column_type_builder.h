#pragma once

#include <string>
#include <utility>
#include <vector>

#include "grid/model/column_type.h"

namespace veltrano::grid::testing {

// Column types for tests, named field by field.
class TypeOf {
public:
    TypeOf(std::int32_t column, ColumnKind kind) {
        type_.column = column;
        type_.kind = kind;
    }

    TypeOf& decimals(std::int32_t value) { return set(type_.decimals, value); }
    TypeOf& unit(std::string value) { return set(type_.unitText, std::move(value)); }
    TypeOf& second(std::string value) { return set(type_.secondText, std::move(value)); }
    TypeOf& option(std::int32_t value) { return set(type_.option, value); }
    TypeOf& items(std::vector<std::string> value) { return set(type_.items, std::move(value)); }

    operator ColumnType() const { return type_; }

private:
    template <typename Field, typename Value>
    TypeOf& set(Field& field, Value&& value) {
        field = std::forward<Value>(value);
        return *this;
    }

    ColumnType type_;
};

}  // namespace veltrano::grid::testing
