#pragma once

// The refer-a-friend request: the form's values, checked and sent as an
// address for the browser.

#include "platform/services.h"
#include "weblinks/mod_help.h"

#include <QString>

#include <optional>

namespace kindrell::outreach {

// What the refer-a-friend form carries, one text per box.
struct ReferAFriendValues {
    QString senderName;  // txtName
    QString senderEmail; // txtEmail
    QString message;     // txtMessage
    QString friendName;  // txtFriendName
    QString friendEmail; // txtFriendEmail

    friend bool operator==(const ReferAFriendValues&, const ReferAFriendValues&) = default;
};

// Each value with its leading and trailing spaces (code 32 only) removed.
ReferAFriendValues TrimReferAFriendValues(const ReferAFriendValues& typed);

// The two e-mail checks of the submit button: distinct, then "@" in both,
// then "." in both. Returns the message of the first that fails.
std::optional<QString> CheckReferAFriendEmails(const ReferAFriendValues& trimmed);

// Every value present and not its box's watermark, in form order.
std::optional<QString> CheckReferAFriendPresence(const ReferAFriendValues& trimmed);

// All checks in the order the submission runs them.
std::optional<QString> CheckReferAFriend(const ReferAFriendValues& trimmed);

// The request address on the home site. Each value is percent-encoded as
// UTF-8, so that "&", "=", "#", "?", spaces, line breaks and letters outside
// ASCII reach the server as typed instead of adding or cutting parameters.
QString ReferAFriendRequest(const ReferAFriendValues& trimmed);

// The refer-a-friend submission: keeps the values of the latest click, tells
// the first fault, or opens the request in the browser.
class modTellAFriend {
  public:
    modTellAFriend(platform::MessageBoxes& messages, weblinks::modHelp& help)
        : messages_(messages), help_(help) {}

    // One click of "Refer A Friend &Now" with the boxes' current texts.
    void Submit(const ReferAFriendValues& typed);

    // The values stored by the latest click, already trimmed.
    const ReferAFriendValues& values() const { return values_; }

  private:
    platform::MessageBoxes& messages_;
    weblinks::modHelp& help_;
    ReferAFriendValues values_;
};

} // namespace kindrell::outreach
