// The calling convention between windows: the caller passes a request, the
// window procedure returns a response.
#pragma once

#include <functional>

namespace fin {
class Context;
}

namespace fin::ui {

enum class Request { None = 0, Insert = 1, Change = 2, Delete = 3, Select = 4, View = 6 };
enum class Response { Completed = 1, Cancelled = 2 };

// A window procedure such as UpdateBancos or BrowseBancos.
using Procedure = std::function<Response(Context&, Request)>;

}  // namespace fin::ui
