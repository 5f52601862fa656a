// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

class QWidget;
struct PaymentPlan;

// Prints the plan through a preview over parent. The preview lays the pages
// out on the paper the printer uses; its Print button asks for the printer,
// the paper and the pages, and lays the preview out again when the paper
// changed there. A job reaches the printer, or a file is written, only
// once all its pages are made: cancelling the pages' progress leaves
// nothing printed and no file. Cancelling the preview's own pages closes
// it. The Print to File suggestion is the one Export PDF makes.
void PrintPlan(QWidget* parent, std::shared_ptr<const PaymentPlan> plan);
