// A result box: a plain text edit with one paragraph per line, whose long texts are built off the
// window's thread and shown within the frame of the press that made them.
#include "platform/qt/ResultBox.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace tavimo {

// A document that the worker or the window's thread builds for a box. Whoever claims it first
// builds it; the box waits for `built`.
struct DocumentBuild {
    QString text;
    QFont font;
    QTextOption option;
    qreal margin = 0;
    bool undo = true;
    std::atomic<bool> claimed{false};
    bool built = false; // under buildMutex
    QTextDocument* document = nullptr;

    bool claim() { return !claimed.exchange(true); }
};

namespace {

// Shorter texts are set in place: their paragraphs take less than the hand-over.
constexpr qsizetype shortestBuiltApart = 1000;

ResultBox::Fill howToFill = ResultBox::Fill::Apart;

std::mutex buildMutex;
std::condition_variable buildDone;

// The builds of the window's thread not yet shown, in the order they were asked for.
std::vector<std::shared_ptr<DocumentBuild>> pending;

// One worker beside the window's thread: four boxes are two builds each, and the machine's second
// core is what the search used a moment before. It also deletes the documents swapped out.
QThread* workerThread = nullptr;
QObject* workerContext = nullptr;

void stopWorker()
{
    workerThread->quit();
    workerThread->wait();
    delete workerThread; // the context with it (deleted in its thread as the loop ended)
    workerThread = nullptr;
    workerContext = nullptr;
}

QObject* worker()
{
    if (workerThread == nullptr) {
        workerThread = new QThread;
        workerThread->setObjectName(QStringLiteral("result box documents"));
        workerContext = new QObject;
        workerContext->moveToThread(workerThread);
        QObject::connect(workerThread, &QThread::finished, workerContext, &QObject::deleteLater);
        workerThread->start();
        // Before the application's objects go: a running thread must not outlive it.
        qAddPostRoutine(stopWorker);
    }
    return workerContext;
}

// The document that a plain text edit builds for the text, built in the calling thread.
QTextDocument* buildDocument(const DocumentBuild& build)
{
    auto* document = new QTextDocument;
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
    document->setDefaultFont(build.font);
    document->setDefaultTextOption(build.option);
    document->setDocumentMargin(build.margin);
    document->setUndoRedoEnabled(build.undo);
    document->setPlainText(build.text);
    // The edit asks every paragraph for its layout as it takes the document: made here, they are
    // not made on the window's thread.
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        block.layout();
    }
    return document;
}

void run(DocumentBuild& build)
{
    QTextDocument* document = buildDocument(build);
    if (QThread::currentThread() != qApp->thread()) {
        document->moveToThread(qApp->thread());
    }
    {
        const std::lock_guard lock(buildMutex);
        build.document = document;
        build.built = true;
    }
    buildDone.notify_all();
}

// Builds the last build not claimed yet, for whichever box asked for it; false if there is none.
bool helpWithAnother()
{
    for (auto it = pending.rbegin(); it != pending.rend(); ++it) {
        if ((*it)->claim()) {
            run(**it);
            return true;
        }
    }
    return false;
}

QTextDocument* waitFor(DocumentBuild& build)
{
    for (;;) {
        {
            const std::lock_guard lock(buildMutex);
            if (build.built) {
                break;
            }
        }
        if (build.claim()) {
            run(build);
            break;
        }
        if (!helpWithAnother()) {
            std::unique_lock lock(buildMutex);
            buildDone.wait(lock, [&] { return build.built; });
            break;
        }
    }
    std::erase_if(pending, [&](const auto& entry) { return entry.get() == &build; });
    return build.document;
}

void dispose(QTextDocument* document)
{
    document->setParent(nullptr);
    document->moveToThread(worker()->thread());
    document->deleteLater();
}

} // namespace

ResultBox::ResultBox(QWidget* parent) : QPlainTextEdit(parent) {}

ResultBox::~ResultBox()
{
    if (m_build) {
        delete waitFor(*m_build);
    }
}

void ResultBox::setFill(Fill fill)
{
    howToFill = fill;
}

ResultBox::Fill ResultBox::fill()
{
    return howToFill;
}

void ResultBox::setResultText(QString text)
{
    if (m_build) {
        // Replaced before it was shown.
        delete waitFor(*m_build);
        m_build.reset();
    }
    // A short text replacing a short one is set in place; replacing a long one, it is built apart
    // at once, and the long one deleted by the worker. A long text is built while the window goes
    // on.
    const bool longText = text.count(u'\n') >= shortestBuiltApart;
    if (howToFill == Fill::InPlace ||
        (!longText && document()->blockCount() < shortestBuiltApart)) {
        document()->setPlainText(text);
        moveCursor(QTextCursor::Start);
        return;
    }
    auto build = std::make_shared<DocumentBuild>();
    build->text = std::move(text);
    build->font = document()->defaultFont();
    build->option = document()->defaultTextOption();
    build->margin = document()->documentMargin();
    build->undo = document()->isUndoRedoEnabled();
    if (!longText) {
        swapIn(buildDocument(*build));
        return;
    }
    m_build = std::move(build);
    pending.push_back(m_build);
    QMetaObject::invokeMethod(worker(), [build = m_build] {
        if (build->claim()) {
            run(*build);
        }
    });
}

void ResultBox::finishResultText()
{
    if (m_build) {
        const std::shared_ptr<DocumentBuild> build = std::move(m_build);
        swapIn(waitFor(*build));
    }
}

bool ResultBox::event(QEvent* event)
{
    finishResultText();
    return QPlainTextEdit::event(event);
}

void ResultBox::swapIn(QTextDocument* document)
{
    QTextDocument* old = this->document();
    const int removed = old->characterCount() - 1;
    const bool ours = old->parent() == this; // the edit deletes its own first document
    const QTextOption option = document->defaultTextOption();
    document->setParent(this);
    {
        // As setPlainText under the window's signal blocker: the model holds the text already.
        const QSignalBlocker blocker(this);
        setDocument(document);
        // The edit gives a new document its own wrap mode; the window fits it to each text.
        if (this->document()->defaultTextOption().wrapMode() != option.wrapMode()) {
            this->document()->setDefaultTextOption(option);
        }
        moveCursor(QTextCursor::Start);
    }
    if (ours) {
        dispose(old);
    }
    if (QAccessible::isActive()) {
        // What the edit tells a screen reader when its text is set.
        QAccessibleTextUpdateEvent update(this, 0, QString(removed, u' '), toPlainText());
        QAccessible::updateAccessibility(&update);
    }
}

} // namespace tavimo
