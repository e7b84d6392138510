// The operation form: one income or expense of the register, with its date,
// concept, form of payment and, on the income or the expense side, its
// amount, category, bank account, the document it pays and a voucher.
#pragma once

#include "data/context.h"
#include "ui/request.h"

namespace fin::ledger {

ui::Response UpdateOperacio(Context& context, ui::Request request);

}  // namespace fin::ledger
