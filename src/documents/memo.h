#pragma once
#include <QPlainTextEdit>

// A multi-line edit that holds at most a given number of characters (line
// breaks included), like the column it is saved into. Tab moves on.
class TMemo : public QPlainTextEdit {
    Q_OBJECT
  public:
    explicit TMemo(int maxLength, QWidget* parent = nullptr);

    int MaxLength() const { return maxLength_; }
    QString text() const { return toPlainText(); }
    // Sets the text, cut to the limit.
    void setText(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

  private:
    int Room() const;
    void CutToLimit();

    int maxLength_;
};
