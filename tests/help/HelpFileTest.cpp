#include <gtest/gtest.h>

#include <algorithm>

#include "help/ChmArchive.h"
#include "help/HelpSearch.h"
#include "help/HtmlText.h"
#include "help/SiteMap.h"
#include "resources/ShippedFiles.h"

namespace kalderon {
namespace {

const char* const kTopics[] = {
    "quick_tour",          "import_dbfiles",          "compute_Cutler-Ederer",      "compute_Kaplan-Meier",
    "compute_period_analysis", "compute_trend_nyear_survival", "compute_SMR",     "chart_title_format",
    "chart_axis_format",   "chart_legend_format",     "chart_data_series_format",   "chart_line_styles_format",
    "chart_marker_styles_format", "chart_group_labels", "resetting_default_options",
    "comparing_groups", "net_survival", "age_standardisation", "selecting_cases",
};

std::unique_ptr<ChmArchive> BuiltHelpFile()
{
    return ChmArchive::Open(std::string(KALDERON_BUILD_DIR) + "/KALDERON.chm");
}

TEST(HelpFile, HoldsEveryTopicWithContentsIndexAndPictures)
{
    const std::unique_ptr<ChmArchive> archive = BuiltHelpFile();
    ASSERT_TRUE(archive);
    for (const char* topic : kTopics) {
        const std::string page = std::string("/html/") + topic + ".htm";
        ASSERT_TRUE(archive->Contains(page)) << page;
        const std::optional<std::string> html = archive->Read(page);
        ASSERT_TRUE(html);
        EXPECT_FALSE(HtmlTitle(*html).empty()) << page;
    }
    EXPECT_TRUE(archive->Contains("/html/images/life-table.png"));
    EXPECT_EQ(archive->Read("/html/images/life-table.png")->compare(0, 4, "\x89PNG"), 0);

    // Every topic is in the contents, whose first page is the Quick Tour,
    // and every page the contents or the index names is stored.
    const std::vector<SiteMapEntry> contents = ParseSiteMap(*archive->Read(archive->FirstFileEndingIn(".hhc")));
    ASSERT_FALSE(contents.empty());
    EXPECT_EQ(contents.front().name, "Quick Tour");
    EXPECT_EQ(contents.front().local, "html/quick_tour.htm");
    for (const char* topic : kTopics)
        EXPECT_TRUE(std::any_of(contents.begin(), contents.end(), [&](const SiteMapEntry& e) {
            return e.local == std::string("html/") + topic + ".htm";
        })) << topic;
    std::vector<SiteMapEntry> all = contents;
    const std::vector<SiteMapEntry> index = ParseSiteMap(*archive->Read(archive->FirstFileEndingIn(".hhk")));
    EXPECT_GT(index.size(), 30u);
    all.insert(all.end(), index.begin(), index.end());
    for (const SiteMapEntry& entry : all)
        if (!entry.local.empty()) {
            EXPECT_TRUE(archive->Contains("/" + entry.local)) << entry.local;
        }

    // Links between the pages lead to stored pages.
    for (const std::string& file : archive->Files()) {
        if (file.size() < 4 || file.compare(file.size() - 4, 4, ".htm") != 0) continue;
        const std::string html = *archive->Read(file);
        for (size_t at = html.find("href=\""); at != std::string::npos; at = html.find("href=\"", at + 1)) {
            const std::string target = html.substr(at + 6, html.find('"', at + 6) - at - 6);
            EXPECT_TRUE(archive->Contains("/html/" + target)) << file << " -> " << target;
        }
    }
}

TEST(HelpFile, SearchFindsThePagesHoldingEveryWord)
{
    const std::unique_ptr<ChmArchive> archive = BuiltHelpFile();
    ASSERT_TRUE(archive);
    const std::vector<HelpSearchHit> byar = SearchHelpPages(*archive, "BYAR limits");
    ASSERT_FALSE(byar.empty());
    EXPECT_EQ(byar.front().page, "/html/compute_SMR.htm");
    EXPECT_EQ(byar.front().title, "SMR/SIR");
    const std::vector<HelpSearchHit> greenwood = SearchHelpPages(*archive, "greenwood");
    EXPECT_TRUE(std::any_of(greenwood.begin(), greenwood.end(),
                            [](const HelpSearchHit& h) { return h.page == "/html/compute_Cutler-Ederer.htm"; }));
    EXPECT_TRUE(SearchHelpPages(*archive, "greenwood nosuchwordanywhere").empty());
    EXPECT_TRUE(SearchHelpPages(*archive, "  ").empty());
}

TEST(HelpFile, MissingOrForeignFileDoesNotOpen)
{
    EXPECT_FALSE(ChmArchive::Open("/nonexistent/KALDERON.chm"));
    EXPECT_FALSE(ChmArchive::Open(std::string(KALDERON_SOURCE_DIR) + "/data/examples/tiny.txt"));
}

TEST(HtmlText, TextTitleAttributesAndSiteMaps)
{
    EXPECT_EQ(HtmlPlainText("<html><head><title>T</title><style>p {}</style></head><body><!-- x -->"
                            "<p>a&nbsp;&lt;b&gt;\n\n c&amp;d</p><script>var x;</script></body></html>"),
              "T a <b> c&d");
    EXPECT_EQ(HtmlTitle("<TITLE> Life  table </TITLE>"), "Life table");
    EXPECT_EQ(HtmlAttribute("<param name=\"Local\" VALUE='a b.htm'>", "value"), "a b.htm");
    EXPECT_EQ(HtmlAttribute("<param name=Name value=x>", "name"), "Name");
    EXPECT_EQ(HtmlAttribute("<param name=\"Name\">", "value"), "");

    const std::vector<SiteMapEntry> entries = ParseSiteMap(
        "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Top\"></OBJECT>"
        "<UL><LI><object type=\"text/sitemap\"><param name=\"Name\" value=\"A &amp; B\">"
        "<param name=\"Local\" value=\"html/a.htm\"></object></UL>"
        "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"End\"><param name=\"Local\" value=\"e.htm\">"
        "</OBJECT></UL>");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, "Top");
    EXPECT_EQ(entries[0].local, "");
    EXPECT_EQ(entries[0].depth, 0);
    EXPECT_EQ(entries[1].name, "A & B");
    EXPECT_EQ(entries[1].local, "html/a.htm");
    EXPECT_EQ(entries[1].depth, 1);
    EXPECT_EQ(entries[2].depth, 0);
}

}  // namespace
}  // namespace kalderon
