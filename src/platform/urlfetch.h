#pragma once

#include <QString>

#include <functional>
#include <optional>

// Fetches the body of an address as text. The answer arrives later, through the event loop:
// fetch() never blocks and never calls done before it returns. done runs exactly once, with the
// body, or with nothing when the fetch failed (no connection, an error status, no answer within
// the time limit, or a body past the size limit). A fetch still under way when the adapter is
// destroyed is dropped without calling done.
class UrlFetch {
public:
    using Done = std::function<void(std::optional<QString>)>;

    virtual ~UrlFetch() = default;
    // address may lack a scheme ("host:port/path"); plain HTTP is used then.
    virtual void fetch(const QString &address, Done done) = 0;
};
