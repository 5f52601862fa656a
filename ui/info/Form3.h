// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPointer>

// Second information page: the method itself, worked through the example.
// Shown modeless and without an owner, so it may outlive the main window.
class Form3 : public QDialog {
    Q_OBJECT
public:
    explicit Form3(QWidget* parent = nullptr);

    // Shows the second page, or brings the one already open forward.
    static Form3* showPage();
    // The page that is open, if any.
    static Form3* openPage() { return instance_; }

private:
    void cmdMain_Click();
    void Form_Resize();

    static QPointer<Form3> instance_;
};
