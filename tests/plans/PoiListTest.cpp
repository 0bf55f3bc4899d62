#include "plans/PoiList.h"

#include <gtest/gtest.h>

#include "map/ScriptText.h"
#include "plans/PlansTestSupport.h"
#include "support/FakeMapPage.h"

namespace vantrel {
namespace {

using testing::FakeMapPage;
using testing::FillPois;

class PoiListTest : public ::testing::Test {
  protected:
    AppValues values;
    PoiList list{values};
    FakeMapPage page;
};

TEST_F(PoiListTest, DoubleClickShowsThePoiWithItsTime) {
    FillPois(list, {{"2010/05/04 04:00:00", "22,5", "114,1"}});
    list.Select(1);
    list.ShowSelected(page);
    ASSERT_EQ(page.scripts.size(), 1u);
    EXPECT_EQ(page.scripts[0],
              " var marker ; map.setCenter(new GLatLng(22.5,114.1) ,13);"
              "marker = new GMarker( new GLatLng(22.5,114.1) );"
              "map.addOverlay(marker) ; marker.openInfoWindowHtml(\"2010/05/04 04:00:00\");");
    list.Select(2);  // an empty row shows nothing
    list.ShowSelected(page);
    EXPECT_EQ(page.log.size(), 1u);
}

TEST_F(PoiListTest, CellTextCannotLeaveTheScriptString) {
    const std::string hostile =
        "\"); alert(1); (\"\\ </script><img src=x "
        "onerror=alert(2)>'\n\r\xE2\x80\xA8\xE2\x80\xA9\x01";
    std::string script = PoiMarkerScript("1", hostile, "2", values.Numbers);
    const std::string open = "marker.openInfoWindowHtml(\"";
    auto start = script.find(open) + open.size();
    ASSERT_TRUE(script.ends_with("\");"));
    std::string literal = script.substr(start, script.size() - 3 - start);
    EXPECT_EQ(literal,
              "&quot;); alert(1); (&quot;\\\\ &lt;/script&gt;&lt;img src=x "
              "onerror=alert(2)&gt;&#39;\\n\\r\\u2028\\u2029\\x01");
    // Script escaping on its own: quotes, backslash and "</" never stand bare.
    EXPECT_EQ(EscapeScriptString("a\"b'c\\d</e\tf"), "a\\\"b\\'c\\\\d<\\/e\\tf");
    EXPECT_EQ(EscapeScriptString("中文 ok"), "中文 ok");
    // A coordinate cell that is no number cannot carry code either.
    EXPECT_EQ(ScriptNumber("1);alert(3", values.Numbers), "NaN");
}

TEST_F(PoiListTest, DeleteAndClearEmptyThePage) {
    FillPois(list, {{"2010/01/01 00:00:00", "1", "1"}, {"2010/01/02 00:00:00", "2", "2"}});
    list.Select(1);
    list.RemoveSelected(page);
    EXPECT_EQ(list.PoiCount, 1);
    EXPECT_EQ(list.gridPoi.Cell(0, 1), "2010/01/02 00:00:00");
    EXPECT_TRUE(list.gridPoi.IsEmpty(0, 2));
    EXPECT_EQ(page.log, (std::vector<std::string>{"initialize"}));
    list.Select(2);
    list.RemoveSelected(page);  // an empty row deletes nothing
    EXPECT_EQ(list.PoiCount, 1);
    list.ClearAll(page);
    EXPECT_EQ(list.PoiCount, 0);
    EXPECT_TRUE(list.gridPoi.IsEmpty(0, 1));
    EXPECT_EQ(list.gridPoi.Cell(0, 0), "Date & Time");
    EXPECT_EQ(page.log.size(), 2u);
}

}  // namespace
}  // namespace vantrel
