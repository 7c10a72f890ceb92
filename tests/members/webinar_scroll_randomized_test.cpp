// A webinar list scrolled at random, checked after every step against a plain reference of the
// window rules: which window (if any) the provider is handed, the model's main range and its
// count of visible ranges outside the provider's fetch range. Fixed seed, 10,000 steps: smooth
// scrolling, jumps, back and forth, resizes, forced updates, page-size changes, hiding the list
// and fetches that complete late.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <string>

#include "hostkit/hostkit.h"
#include "hostkit/webinar_attendees.h"
#include "module_api/members/webinar_attendee_model.h"

using base::variant::Variant;
using veltosdk::Range;

namespace {

// The rules as written, on plain numbers: the page-sized window around the visible rows, sent
// when forced, when the rows lie inside the current window, or when the window's start would
// move by more than max(20, a fifth of a page); a sent visible range that is not within the
// fetch range (3 rows of slack at each end) is counted.
struct ReferenceWindow {
  uint64_t per_page = 50;
  std::optional<Range> main;
  uint32_t out_of_fetch = 0;

  std::optional<Range> SetVisible(Range visible, bool force, Range fetch) {
    Range next = visible;
    if (per_page >= visible.count) {
      const uint64_t half = (per_page - visible.count) / 2;
      next = Range(visible.start > half ? static_cast<uint32_t>(visible.start - half) : visible.start,
                   static_cast<uint32_t>(per_page));
    }
    bool send = force;
    if (!send && main) {
      send = visible.start >= main->start &&
             static_cast<uint32_t>(visible.start + visible.count) <= static_cast<uint32_t>(main->start + main->count);
    }
    if (!send) {
      if (!main || next.count != main->count) {
        send = true;
      } else {
        const uint32_t threshold =
            std::max<uint32_t>(20, static_cast<uint32_t>(static_cast<float>(per_page) * 0.2f));
        const uint32_t moved = next.start > main->start ? next.start - main->start : main->start - next.start;
        send = moved > threshold;
      }
    }
    if (!send) return std::nullopt;
    if (fetch.count != 0) {
      const bool inside = visible.start + 3 >= fetch.start &&
                          static_cast<uint32_t>(visible.start + visible.count - 1) <=
                              static_cast<uint32_t>(fetch.start + fetch.count - 1 + 3);
      if (!inside) ++out_of_fetch;
    }
    main = next;
    return next;
  }
};

class Model : public velto::WebinarAttendeeModelBase {
 public:
  using WebinarAttendeeModelBase::WebinarAttendeeModelBase;
};

TEST(WebinarScrollRandomized, EveryStepHandsTheProviderExactlyTheReferencesWindow) {
  constexpr uint32_t kTotal = 100000;
  constexpr int kSteps = 10000;
  hostkit::SetLogLevel(4);  // 10,000 trace records would only slow the run
  hostkit::InstallModel(514);
  hostkit::InstallModel(609);
  hostkit::PagingAttendeeProvider provider({.total = kTotal, .per_page = 50, .fetch_latency_ms = -1});
  Model model([&provider] { return &provider; });
  model.Init();

  std::mt19937 random(20240518);
  auto pick = [&random](uint32_t below) { return static_cast<uint32_t>(random() % below); };
  ReferenceWindow reference;
  Range visible(0, 12);
  int sent = 0, forced = 0, page_changes = 0, hides = 0;

  for (int step = 0; step < kSteps; ++step) {
    const uint32_t kind = pick(100);
    bool force = false;
    if (kind < 50) {  // smooth scrolling, a few rows either way
      const int delta = static_cast<int>(pick(11)) - 5;
      visible.start = static_cast<uint32_t>(std::clamp<int64_t>(int64_t{visible.start} + delta, 0, kTotal - 1));
    } else if (kind < 65) {  // a page up or down
      const int64_t page = pick(2) ? int64_t{visible.count} : -int64_t{visible.count};
      visible.start = static_cast<uint32_t>(std::clamp<int64_t>(visible.start + page, 0, kTotal - 1));
    } else if (kind < 75) {  // a jump anywhere
      visible.start = pick(kTotal);
    } else if (kind < 82) {  // the window is resized
      visible.count = 1 + pick(70);
    } else if (kind < 86) {
      force = true;
      ++forced;
    } else if (kind < 92) {  // late fetches arrive
      provider.CompleteFetch();
    } else if (kind < 94) {  // the server changes the page size
      const unsigned sizes[] = {30, 50, 100, 200};
      provider.SetAttendeeCountPerPage(sizes[pick(4)]);
      reference.per_page = model.attendee_count_per_page();
      ++page_changes;
      continue;
    } else if (kind < 95) {  // the list is hidden: back to the first page
      const Range fetch = provider.GetFetchRange();
      const size_t before = provider.RangeRequests().size();
      Variant off(false);
      ASSERT_TRUE(model.Call(5, &off, nullptr));
      const auto expected = reference.SetVisible(Range(0, static_cast<uint32_t>(reference.per_page)), false, fetch);
      ASSERT_EQ(provider.RangeRequests().size(), before + (expected ? 1 : 0)) << "step " << step;
      ++hides;
      continue;
    }

    const Range fetch = provider.GetFetchRange();
    const size_t before = provider.RangeRequests().size();
    Variant in = Variant::Map();
    in["start"] = visible.start;
    in["size"] = visible.count;
    if (force) in["force_update"] = true;
    const bool result = model.Call(0, &in, nullptr);
    const std::optional<Range> expected = reference.SetVisible(visible, force, fetch);

    const std::string where = "step " + std::to_string(step) + " visible " + visible.ToString() + " per page " +
                              std::to_string(reference.per_page);
    ASSERT_EQ(result, expected.has_value()) << where;
    ASSERT_EQ(provider.RangeRequests().size(), before + (expected ? 1 : 0)) << where;
    if (expected) {
      ASSERT_EQ(provider.RangeRequests().back(), *expected) << where;
      ++sent;
    }
    ASSERT_NE(model.main_range(), nullptr) << where;
    ASSERT_EQ(*model.main_range(), *reference.main) << where;
    ASSERT_EQ(model.visible_range_out_of_fetch_range_count(), reference.out_of_fetch) << where;
  }
  // The walk exercised both answers and every kind of step.
  EXPECT_GT(sent, 1000);
  EXPECT_GT(kSteps - sent, 1000);
  EXPECT_GT(forced, 100);
  EXPECT_GT(page_changes, 50);
  EXPECT_GT(hides, 20);
  EXPECT_GT(reference.out_of_fetch, 100u);
  model.UnInit();
}

}  // namespace
