// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPointer>
#include <cstdint>

// Second information page: the method itself, worked through the example.
// Shown modeless and without an owner, so it may outlive the main window.
class Form3 : public QDialog {
    Q_OBJECT
public:
    explicit Form3(QWidget* parent = nullptr);

    // Designed outer size in twips, borders and title bar included.
    static constexpr std::int16_t kDesignedHeight = 9015;
    static constexpr std::int16_t kDesignedWidth = 9270;

    // Shows the second page, or brings the one already open forward.
    static Form3* showPage();
    // The page that is open, if any.
    static Form3* openPage() { return instance_; }

private:
    void cmdMain_Click();
    void Form_Resize();

    static QPointer<Form3> instance_;
};
