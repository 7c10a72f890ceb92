// One filtered, sorted member list that follows the user model (508), with keyword search.
//
//   velto::MembersFilterManager members("attendees");
//   members.SetFilterUserFunc([](const Variant& user) { return !user.GetBoolean("is_bot"); });
//   members.Activate(&panel);                 // builds the list; panel.OnMembersUpdated() follows
//   members.StartSearch("box", "zhang");      // panel.OnSearchResult("attendees", [...], "box", -1)
//   ...                                       // every later change re-runs the open searches
//   members.Deactivate();                     // keeps the list, forgets the panel and searches
//
// Inactive after construction: model events and searches do nothing until Activate. The manager
// subscribes to the user model when it is made; Activate subscribes again when no user model
// existed then, or the one subscribed to has gone since (never twice). The default
// filter takes everybody; the default order is the local user, the host, co-hosts, bots, then
// join time, then user id. A keyword matches the ASCII-lower-cased nickname or its pinyin
// ("nickname_pinyin" when the record carries it); the keyword itself is taken as typed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/variant/variant.h"
#include "module_api/export.h"
#include "module_api/members/member_utils.h"

namespace velto {

// Implemented by the member-list module that shows a provider's list.
class VELTO_API IMembersProviderListener {
 public:
  // The list changed; read it again.
  virtual void OnMembersUpdated() = 0;
  // The users of the list, in list order, that match the keyword of `search_token`; `extra` is -1.
  virtual void OnSearchResult(const std::string& identifier, const base::variant::Variant& user_indexes,
                              const std::string& search_token, int64_t extra) = 0;

 protected:
  ~IMembersProviderListener() = default;
};

class VELTO_API IMembersProvider {
 public:
  virtual const std::string& Identifier() const = 0;
  // Starts following the meeting and rebuilds the list; the listener is not owned.
  virtual void Activate(IMembersProviderListener* listener) = 0;
  virtual void Deactivate() = 0;
  // Tells the listener that the list changed and re-runs the open searches.
  virtual void NeedSendMembersUpdate() = 0;
  // Opens (or re-keys) a search; its result arrives now and after every change of the list.
  virtual void StartSearch(const std::string& search_token, const std::string& keyword) = 0;
  virtual void CancelSearch(const std::string& search_token) = 0;
  virtual bool CanLoadMore(const std::string& search_token) = 0;
  virtual void LoadMore(const std::string& search_token) = 0;

 protected:
  ~IMembersProvider() = default;
};

class VELTO_API MembersFilterManager : public IMembersProvider {
 public:
  using Variant = base::variant::Variant;
  // True when the user belongs to the list.
  using FilterUserFunc = std::function<bool(const Variant& user)>;
  // True when user `a` sorts before user `b`.
  using CompareUserFunc = velto_common::utils::member::UserCompareFunc;

  explicit MembersFilterManager(std::string identifier);
  // A copy carries the list, the state and the listener and follows the user model on its own.
  MembersFilterManager(const MembersFilterManager& other);
  MembersFilterManager& operator=(const MembersFilterManager& other);

  // IMembersProvider:
  const std::string& Identifier() const override;
  void Activate(IMembersProviderListener* listener) override;
  void Deactivate() override;
  void NeedSendMembersUpdate() override;
  void StartSearch(const std::string& search_token, const std::string& keyword) override;
  void CancelSearch(const std::string& search_token) override;
  bool CanLoadMore(const std::string& search_token) override;  // false: the list is whole
  void LoadMore(const std::string& search_token) override;     // nothing to load

  virtual ~MembersFilterManager();

  // Replacing the filter rebuilds an active list; replacing the order re-sorts it and notifies.
  // An empty function stands for the default (logged at level 3).
  void SetFilterUserFunc(FilterUserFunc filter);
  void SetCompareUserFunc(CompareUserFunc compare);

  // Copies the list of user indexes, in list order, into `out`.
  void GetUserIndexList(Variant* out) const;
  size_t GetUserCount() const;
  bool IsActive() const { return active_; }

  // Empties the list (without telling the listener).
  void ClearAll();
  // Rebuilds the list from every user of the model; the listener hears of it even when nobody
  // passes the filter.
  void ResetAllData();

  // User model events 1, 3, 2 and 4; the payload of the first three is a list of user indexes.
  void OnEventMeetingUserAdd(const Variant* indexes);
  void OnEventMeetingUserRemove(const Variant* indexes);
  void OnEventMeetingUserUpdate(const Variant* indexes);
  void OnEventMeetingUserCacheChanged(const Variant* payload);

  // The default order: role weight (self 16, host 8, co-host 4, bot 2) larger first, then
  // earlier "join_time", then the byte-wise smaller "user_id".
  static bool DefaultCompareUser(const Variant& a, const Variant& b);

 private:
  // What a search compares against, kept per user so that a search converts nothing.
  struct SearchKey {
    std::string nickname;        // as the record had it when the key was made
    bool has_pinyin = false;     // the record carried "nickname_pinyin" (then `pinyin` is it)
    std::string lower;           // the nickname, ASCII lower-cased
    std::string pinyin;          // "nickname_pinyin", or the pinyin of `lower`
    bool pinyin_is_lower = false;
  };
  struct UpdateQueue;

  void Subscribe();
  void Unsubscribe();
  void ProcessUpdateUsers(const Variant& indexes, UpdateQueue& queue);
  void DoUserRemoveAndAdd(UpdateQueue& queue);
  void NotifyMembersUpdate();
  void DoSearch(const std::string& search_token, const std::string& keyword);
  bool IsMember(int64_t index) const { return members_.count(index) != 0; }
  // Puts the indexes into the list at their lower-bound positions, one after another.
  void InsertUsers(const std::vector<int64_t>& indexes);
  void RefreshSearchKey(int64_t index, const Variant& record);
  void ListChanged() { search_order_.clear(); }

  FilterUserFunc filter_;
  CompareUserFunc compare_;
  Variant list_;
  std::set<int64_t> members_;
  std::string identifier_;
  bool active_ = false;
  bool update_pending_ = false;
  IMembersProviderListener* listener_ = nullptr;
  std::map<std::string, std::string> searches_;
  // Search keys by user index (members only); node addresses stay put, so search_order_ can
  // point at them. search_order_ is the list's keys in list order, rebuilt after a change.
  std::unordered_map<int64_t, SearchKey> search_keys_;
  std::vector<const SearchKey*> search_order_;
  // Alive while the user model holds this manager's subscriptions (see Activate).
  std::weak_ptr<void> user_model_held_;
};

}  // namespace velto
