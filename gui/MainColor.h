// SPDX-License-Identifier: MIT
#pragma once

#include "ChannelEditor.h"
#include "MemoryCommands.h"

#include <QWidget>
#include <memory>

class ColourBox;
class EditHistory;
class EditorColour;
class MemoryColour;
class MemoryListModel;
class MemoryStore;
class SingleCopyGuard;
class QGroupBox;
class QListView;
class QPushButton;

// Tintaro's main window: the sample frame (colour sample and code), the
// channel frame (a label, slider and value box for each of red, green and
// blue) and the memory frame (the list of kept codes and its buttons), laid
// out at fixed places in a window of fixed size. It owns the memory file's
// store, which it loads at start and saves at close.
class MainColor : public QWidget
{
    Q_OBJECT
public:
    explicit MainColor(QWidget* parent = nullptr);
    ~MainColor() override;

    const ChannelControls& Channels() const { return m_channels; }
    QListView* MemList() const { return m_memoryControls.MemList; }
    MemoryListModel* MemListModel() const { return m_memoryControls.Entries; }
    ColourBox* PreviewList() const { return m_memoryControls.PreviewList; }
    EditorColour* Edited() const { return m_channels.Edited; }
    MemoryColour* Chosen() const { return m_memoryControls.Chosen; }
    EditHistory* History() const { return m_history; }

    // Places the window centred on its screen.
    void CentreOnScreen();

    // Start-up, before the window is first shown: refuses to run beside
    // another copy using the same memory file (returns false: end at once,
    // without showing the window or writing anything), then reads the memory
    // file into the list. Messages before the window shows are centred where
    // it will appear.
    bool Form_Load(const QString& memoryFile);
    // Closing: saves the memory list (see MemoryStore). Failures are told to
    // the user, or to standard error when nobody is there; the close goes on.
    void Form_Unload();

    // The close that follows comes from a signal: it must not wait for
    // anyone to answer a message.
    void SetCloseUnattended() { m_closeUnattended = true; }
    // False when the list could not be saved at the close.
    bool ListSaved() const { return m_listSaved; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QGroupBox* AddFrame(const char* name, const QString& caption, const QRect& rect);
    void BuildSampleFrame(QGroupBox* frame);
    void BuildChannelFrame(QGroupBox* frame);
    void BuildMemoryFrame(QGroupBox* frame);
    void SetKeyboardOrder();
    void AboutMe_Click();

    ChannelControls m_channels;
    MemoryControls m_memoryControls;
    QPushButton* m_aboutMe = nullptr;
    EditHistory* m_history = nullptr;
    std::unique_ptr<MemoryStore> m_store; // keeps m_memoryControls.Entries

    std::unique_ptr<SingleCopyGuard> m_singleCopy;
    bool m_loaded = false;
    bool m_unloaded = false;
    bool m_closeUnattended = false;
    bool m_listSaved = true;
};
