#pragma once
// A command box that only holds its text, for the session tests.
#include "script/CommandBox.h"

#include <string>

namespace tw::test {

struct TextBox : CommandBox {
    std::string content;
    std::string text() const override { return content; }
    void setText(const std::string& t) override { content = t; }
    void selectAll() override {}
    void caretToEnd() override {}
    void insert(const std::string& t) override { content += t; }
};

} // namespace tw::test
