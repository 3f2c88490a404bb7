#pragma once

#include <QDialog>

struct CoverFileContext;
class QListWidget;

// "Presets": the list of presets and the buttons that apply, save, rename and delete
// them. Modal; Apply closes it once the preset is on the cover.
class PresetDialog final : public QDialog {
    Q_OBJECT
public:
    PresetDialog(CoverFileContext& ctx, QWidget* parent = nullptr);

    // Fills the list and selects the current preset.
    void LoadPresets();
    // Closing by the close button, the window's close box or Esc.
    void reject() override;

private:
    QString selected() const;
    void applyClicked();
    void saveClicked();
    void renameClicked();
    void deleteClicked();
    void closeClicked();

    CoverFileContext& m_ctx;
    QListWidget* m_list;
};
