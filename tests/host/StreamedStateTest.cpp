// What a component keeps of what the host wrote for it right after loading: the properties equal
// to one the file held are kept as a reference to it, the rest whole, in the host's order; either
// way the record reads back as the properties given.
#include "host/classes/Streaming.h"

#include <gtest/gtest.h>

namespace {

using namespace host;

FormProperty Prop(const std::string& name, int64_t value) {
    return {name, FormValue::Integer(value)};
}

std::vector<FormProperty> Read(const TStreamedState& state) {
    std::vector<FormProperty> out;
    for (size_t i = 0; i < state.WrittenCount(); ++i)
        out.push_back(state.Written(i));
    return out;
}

struct Case {
    const char* what;
    std::vector<FormProperty> asRead;
    std::vector<FormProperty> written;
};

TEST(StreamedState, WrittenReadsBackAsGiven) {
    const std::vector<Case> cases = {
        {"the same, in order",
         {Prop("Left", 1), Prop("Top", 2)},
         {Prop("Left", 1), Prop("Top", 2)}},
        {"another order", {Prop("Left", 1), Prop("Top", 2)}, {Prop("Top", 2), Prop("Left", 1)}},
        {"a value changed by loading",
         {Prop("Left", 1), Prop("Top", 2)},
         {Prop("Left", 1), Prop("Top", 3)}},
        {"letter case of the name", {Prop("LEFT", 1)}, {Prop("Left", 1)}},
        {"a property the file did not hold", {Prop("Left", 1)}, {Prop("Left", 1), Prop("Tag", 5)}},
        {"fewer than read", {Prop("Left", 1), Prop("Top", 2)}, {Prop("Top", 2)}},
        {"nothing written", {Prop("Left", 1)}, {}},
        {"a value of another kind", {Prop("Caption", 1)}, {{"Caption", FormValue::String("1")}}},
        {"twice the same name in the file", {Prop("Left", 1), Prop("Left", 2)}, {Prop("Left", 2)}},
    };
    for (const Case& c : cases) {
        TStreamedState state;
        state.Node.properties = c.asRead;
        state.SetWritten(c.written);
        EXPECT_EQ(Read(state), c.written) << c.what;
        // Set again (a reload), it forgets what it held.
        state.SetWritten({Prop("Width", 9)});
        EXPECT_EQ(Read(state), std::vector<FormProperty>{Prop("Width", 9)}) << c.what;
    }
}

// Many properties (looked up through a map): still the file's first of each name.
TEST(StreamedState, ManyPropertiesAreLookedUpByName) {
    TStreamedState state;
    std::vector<FormProperty> written;
    for (int i = 0; i < 100; ++i) {
        state.Node.properties.push_back(Prop("P" + std::to_string(i), i));
        written.push_back(Prop("p" + std::to_string(99 - i), i % 3 == 0 ? 99 - i : -1));
    }
    state.SetWritten(written);
    EXPECT_EQ(Read(state), written);
}

} // namespace
