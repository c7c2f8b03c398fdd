// The property panel's rows and the text it hands to `set`.
#include "app/edit/Inspector.h"

#include "app/Properties.h"
#include "host/designer/Environment.h"

#include <gtest/gtest.h>

namespace {

using namespace host;
using app::edit::PropertyRow;

const PropertyRow* rowOf(const std::vector<PropertyRow>& rows, const std::string& path) {
    for (const PropertyRow& r : rows)
        if (r.Path == path)
            return &r;
    return nullptr;
}

TEST(InspectorTest, RowsShowValuesAsTheyAreAndOfferListsForEnumerationsAndReferences) {
    DesignEnvironment env;
    TCustomForm* form = env.NewForm("Form1");
    ASSERT_NE(form, nullptr);
    TComponent* table = env.Designer()->Drop(FindClass("TTable"), "Customers", 0, 0);
    TComponent* source = env.Designer()->Drop(FindClass("TDataSource"), "Source", 0, 0);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(source, nullptr);
    app::SetPropertyText(*form, "Caption", "'It''s mine'", form);
    app::SetPropertyText(*source, "DataSet", "Customers", form);

    const auto formRows = app::edit::PropertyRows(*form, form);
    const PropertyRow* caption = rowOf(formRows, "Caption");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->Value, "It's mine");
    const PropertyRow* fontName = rowOf(formRows, "Font.Name");
    ASSERT_NE(fontName, nullptr);
    EXPECT_EQ(fontName->Depth, 1);
    const PropertyRow* font = rowOf(formRows, "Font");
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(font->ReadOnly);

    const auto rows = app::edit::PropertyRows(*source, form);
    const PropertyRow* dataSet = rowOf(rows, "DataSet");
    ASSERT_NE(dataSet, nullptr);
    EXPECT_EQ(dataSet->Value, "Customers");
    EXPECT_EQ(dataSet->Choices, (std::vector<std::string>{"", "Customers"}));
    const PropertyRow* enabled = rowOf(rows, "Enabled");
    ASSERT_NE(enabled, nullptr);
    EXPECT_EQ(enabled->Choices, (std::vector<std::string>{"False", "True"}));
}

TEST(InspectorTest, TypedTextBecomesTheValueSetTakes) {
    TPropInfo str;
    str.Kind = TTypeKind::String;
    TPropInfo ref;
    ref.Kind = TTypeKind::Class;
    ref.IsReference = true;
    TPropInfo number;
    number.Kind = TTypeKind::Integer;
    struct Case {
        const TPropInfo* info;
        std::string typed, expected;
    };
    for (const Case& c :
         {Case{&str, "Hello", "'Hello'"}, Case{&str, "It's", "'It''s'"}, Case{&str, "", "''"},
          Case{&str, "a\rb", "'a'#13'b'"}, Case{&str, "\n", "#10"}, Case{&ref, "", "nil"},
          Case{&ref, "Table1", "Table1"}, Case{&number, "$FF", "$FF"}}) {
        PropertyRow row;
        row.Info = c.info;
        EXPECT_EQ(app::edit::SetValueText(row, c.typed), c.expected) << c.typed;
        // What the panel hands over reads back as what was typed.
        if (c.info == &str) {
            EXPECT_EQ(app::ParsePascalString(c.expected), c.typed);
        }
    }
}

} // namespace
