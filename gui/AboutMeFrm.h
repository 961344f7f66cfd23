// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

// The About window: a light header band with the program's picture, name,
// version and dedication, the credits, and "Aceptar", which closes it. It is
// created for each opening and shown modally over the main window.
class AboutMeFrm : public QDialog
{
    Q_OBJECT
public:
    explicit AboutMeFrm(QWidget* parent = nullptr);

    // Opens a new About window modally over the main window and returns when
    // it has closed.
    static void ShowModal(QWidget* mainWindow);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Places the window centred over its owner's, inside the owner's screen.
    void CentreOverOwner();
    void Form_Load();
    void OkBtn_Click();
    // Shows the header picture drawn for the screen's pixel density.
    void UpdateHeaderPicture();

    QLabel* m_headerLbl = nullptr;
    QLabel* m_headerIcon = nullptr;
    QPushButton* m_okBtn = nullptr;
    bool m_followsScreen = false;
};
