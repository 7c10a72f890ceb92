// Whether a model still holds the event subscriptions an object made. Internal to the library.
//
// Models are looked up afresh on every use, and the host may replace or remove one while an
// object that subscribed to it lives on; a model cannot be asked whom it serves. So the
// callbacks of one subscription round share a token, and the subscriber keeps a weak reference
// to it: a model that goes away destroys its callbacks, the token dies with them, and the weak
// reference then says that nothing delivers the subscriber's events any more.
//
//   std::weak_ptr<void> held_;  // member of the subscriber; empty: never subscribed
//   if (!velto::model::SubscriptionHeld(held_)) {
//     const auto token = velto::model::RenewSubscriptionToken(held_);
//     model->SubscribeWithLocation(1, observer, velto::model::Holding(token, handler), FROM_HERE);
//   }
#pragma once

#include <memory>
#include <utility>

#include "base/variant/variant.h"
#include "framework/model.h"

namespace velto::model {

// True while some model holds a callback of the last round.
inline bool SubscriptionHeld(const std::weak_ptr<void>& held) { return !held.expired(); }

// A token for a new round; `held` follows it from now on. The caller drops its own reference
// once the round's callbacks are handed out, so that only the model keeps the token alive.
inline std::shared_ptr<void> RenewSubscriptionToken(std::weak_ptr<void>& held) {
  auto token = std::make_shared<char>(0);
  held = token;
  return token;
}

// `callback`, holding `token` for as long as the model keeps it.
inline framework::EventCallback Holding(std::shared_ptr<void> token, framework::EventCallback callback) {
  return [token = std::move(token), callback = std::move(callback)](const base::variant::Variant* payload) {
    callback(payload);
  };
}

}  // namespace velto::model
