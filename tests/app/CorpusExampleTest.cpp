// The example of docs/formfiles.md (scenario corpus_form_bar): a real form with a bar dropped on
// it saves as the original plus the bar. The scenario checks the saved bytes against
// corpus_form_bar.files; this checks that those bytes are the original's but for the bar's object
// and the icons it hid, so the expected file cannot drift into a rewrite of the form.
#include "host/classes/FormTree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

namespace {

using namespace host;

std::string readScenarioFile(const std::string& relative) {
    std::ifstream in(std::string(STOW_SOURCE_DIR) + "/tests/scenarios/" + relative,
                     std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

TEST(CorpusExampleTest, TheSavedFormIsTheOriginalPlusTheBar) {
    const std::string original = readScenarioFile("forms/MainFormU.dfm");
    const std::string saved = readScenarioFile("corpus_form_bar.files/MainFormU-with-bar.dfm");
    ASSERT_FALSE(original.empty());
    ASSERT_FALSE(saved.empty());

    // Line by line: the original's lines in order, with one block inserted (the bar's object)
    // and the icon positions of the two collected components replaced by the hidden one.
    const std::vector<std::string> was = lines(original);
    const std::vector<std::string> is = lines(saved);
    std::vector<std::string> inserted, removed, added;
    size_t i = 0, j = 0;
    while (i < was.size() && j < is.size()) {
        if (was[i] == is[j]) {
            ++i, ++j;
        } else if (is[j].starts_with("  object Stowbar1: TStowbar")) {
            while (j < is.size() && is[j] != "  end\r")
                inserted.push_back(is[j++]);
            ASSERT_LT(j, is.size());
            ++j;
        } else if (was[i].starts_with("    Left = ") || was[i].starts_with("    Top = ")) {
            removed.push_back(was[i++]);
        } else {
            added.push_back(is[j++]);
        }
    }
    EXPECT_EQ(i, was.size());
    EXPECT_EQ(j, is.size());
    EXPECT_FALSE(inserted.empty());
    EXPECT_EQ(removed, (std::vector<std::string>{"    Left = 136\r", "    Top = 120\r",
                                                 "    Left = 136\r", "    Top = 184\r"}));
    EXPECT_EQ(added, (std::vector<std::string>{"    Left = 55536\r", "    Left = 55536\r"}));

    // As trees: taking the bar out and the icon positions back gives the original.
    FormObject tree = ReadFormFile(saved, "saved.dfm").root;
    FormObject expected = ReadFormFile(original, "MainFormU.dfm").root;
    ASSERT_NE(tree.children.size(), 0u);
    auto bar = std::find_if(tree.children.begin(), tree.children.end(),
                            [](const FormObject& o) { return o.className == "TStowbar"; });
    ASSERT_NE(bar, tree.children.end());
    tree.children.erase(bar);
    for (FormObject* t : {&tree, &expected})
        for (FormObject& child : t->children)
            if (child.name == "dsArticles" || child.name == "dsrcArticles")
                std::erase_if(child.properties, [](const FormProperty& p) {
                    return p.name == "Left" || p.name == "Top";
                });
    EXPECT_TRUE(tree == expected);
}

} // namespace
