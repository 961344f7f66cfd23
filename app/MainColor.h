#pragma once

#include "ChannelEditor.h"

#include <QWidget>

class ColourBox;
class MemoryListModel;
class QGroupBox;
class QLabel;
class QListView;
class QPushButton;

// Tintaro's main window: the sample frame (colour sample and code), the
// channel frame (a label, slider and value box for each of red, green and
// blue) and the memory frame (the list of kept codes and its buttons), laid
// out at fixed places in a window of fixed size.
class MainColor : public QWidget
{
    Q_OBJECT
public:
    explicit MainColor(QWidget* parent = nullptr);

    const ChannelControls& Channels() const { return m_channels; }
    ChannelEditor* Editor() const { return m_editor; }

    QListView* MemList() const { return m_memList; }
    MemoryListModel* MemListModel() const { return m_memListModel; }
    ColourBox* PreviewList() const { return m_previewList; }
    QPushButton* Save2List() const { return m_save2List; }
    QPushButton* LoadFromList() const { return m_loadFromList; }
    QPushButton* DeleteFromList() const { return m_deleteFromList; }
    QPushButton* AboutMe() const { return m_aboutMe; }

    // Places the window centred on its screen.
    void CentreOnScreen();

private:
    QGroupBox* AddFrame(const char* name, const QString& caption, const QRect& rect);
    QLabel* AddLabel(QWidget* parent, const char* name, const QString& text, const QPoint& topLeft,
                     bool bold);
    QPushButton* AddButton(QWidget* parent, const char* name, const QString& text,
                           const QRect& rect);
    void BuildSampleFrame(QGroupBox* frame);
    void BuildChannelFrame(QGroupBox* frame);
    void BuildMemoryFrame(QGroupBox* frame);
    void SetKeyboardOrder();

    ChannelControls m_channels;
    ChannelEditor* m_editor = nullptr;
    QListView* m_memList = nullptr;
    MemoryListModel* m_memListModel = nullptr;
    ColourBox* m_previewList = nullptr;
    QPushButton* m_save2List = nullptr;
    QPushButton* m_loadFromList = nullptr;
    QPushButton* m_deleteFromList = nullptr;
    QPushButton* m_aboutMe = nullptr;
};
