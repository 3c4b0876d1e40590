// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QUndoCommand>
#include <QUndoStack>
#include <memory>
#include <optional>

// The changes of one document, for undo and redo, and whether it differs from its file.
//
// Every change of a document happens inside an edit: `Edit edit(history, "la police")` (or
// begin()/end() around a mouse gesture). When the outermost edit ends, the document is
// compared with what it was when the edit began; if it differs, the edit becomes one step of
// the undo stack, named after what it changed, and `changed` announces it. An edit that changed
// nothing (a dialog cancelled halfway) leaves no step and nothing modified. An undo or a redo
// puts the whole document back as it was, and announces it the same way.
//
// "Modified" is derived: the document differs from the stack's clean point (its last opening
// or saving), or was marked modified on purpose, which lasts until the next save or open.
class DocumentHistory : public QObject {
    Q_OBJECT
public:
    // The changes made during its life are one step named `what` ("la police"); an edit opened
    // inside another belongs to the outer one.
    class Edit {
    public:
        Edit(DocumentHistory& history, const QString& what) : history_(history)
        {
            history_.begin(what);
        }
        ~Edit() { history_.end(); }
        Edit(const Edit&) = delete;
        Edit& operator=(const Edit&) = delete;

    private:
        DocumentHistory& history_;
    };

    explicit DocumentHistory(QObject* parent = nullptr);
    ~DocumentHistory() override;

    void begin(const QString& what);
    void end();
    bool editing() const { return depth_ > 0; }

    QUndoStack& stack() { return stack_; }
    const QUndoStack& stack() const { return stack_; }
    // Not while an edit is open (a drag), whose step is not recorded yet.
    void undo();
    void redo();

    bool isModified() const { return marked_ || !stack_.isClean(); }
    // Counts the document as modified without a change, until it is saved or opened.
    void markModified();
    // The document is now what its file holds: the current step is the clean point.
    void markSaved();
    // A new or opened document: no history, not modified.
    void restart();

Q_SIGNALS:
    // The document changed: a step was recorded, undone or redone, or the document restarted.
    void changed();
    // An undo or a redo replaced the document: anything pointing into it may be gone.
    void restored();
    void modifiedChanged(bool modified);

protected:
    // Keeps the document as it is when the outermost edit begins.
    virtual void keepBefore() = 0;
    // The step from what keepBefore() kept to the document now; null when they are equal.
    virtual std::unique_ptr<QUndoCommand> stepFromBefore(const QString& what) = 0;
    // The document, as it is, starts a new history.
    virtual void restarted() = 0;
    // Called by the steps once they have put the document back.
    void announceRestored();

private:
    void updateModified();

    QUndoStack stack_;
    int depth_ = 0;
    QString what_;
    bool marked_ = false;
    bool lastModified_ = false;
};

// The history of a document kept as copies of the plain model: a step holds the model before
// and after it. The model's parts share their strings and pictures between copies, so a step
// costs the size of its elements, not of their contents.
template <class Model> class ModelHistory : public DocumentHistory {
public:
    explicit ModelHistory(Model& model, QObject* parent = nullptr)
        : DocumentHistory(parent), model_(model), recorded_(model)
    {
    }

    const Model& model() const { return model_; }
    // The document differs from what the history last recorded or restored: something changed
    // it outside an edit, and that change cannot be undone.
    bool hasUnrecordedChanges() const { return !editing() && model_ != recorded_; }

protected:
    void keepBefore() override { before_ = model_; }

    std::unique_ptr<QUndoCommand> stepFromBefore(const QString& what) override
    {
        std::optional<Model> before = std::exchange(before_, std::nullopt);
        recorded_ = model_;
        if (!before || *before == model_)
            return nullptr;
        return std::make_unique<Step>(*this, what, std::move(*before), model_);
    }
    void restarted() override { recorded_ = model_; }

private:
    class Step : public QUndoCommand {
    public:
        Step(ModelHistory& history, const QString& what, Model before, Model after)
            : QUndoCommand(what), history_(history), before_(std::move(before)),
              after_(std::move(after))
        {
        }
        void undo() override { history_.put(before_); }
        // Pushed, the step is already done: the document is its `after`.
        void redo() override
        {
            if (!std::exchange(pushed_, false))
                history_.put(after_);
        }

    private:
        ModelHistory& history_;
        Model before_;
        Model after_;
        bool pushed_ = true;
    };

    void put(const Model& state)
    {
        model_ = state;
        recorded_ = state;
        announceRestored();
    }

    Model& model_;
    std::optional<Model> before_;
    Model recorded_;
};
