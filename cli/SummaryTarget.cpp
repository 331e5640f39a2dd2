#include "SummaryTarget.h"

#include "Commands.h"

#include <filesystem>

namespace ppspin::cli {

std::string PartialSummaryPath(const std::string& summary) {
    return summary + ".partial";
}

bool TSummaryTarget::Open(const TOptions& o, TOutput& out) {
    stream_ = &out;
    if (o.Summary.empty())
        return true;
    if (!file_.emplace(o.Summary).Begin()) {
        PrintError("Can not write summary file " + o.Summary);
        return false;
    }
    if (file_->Direct())
        file_.reset();
    else
        partialPath_ = PartialSummaryPath(o.Summary);
    const std::string& path = file_ ? partialPath_ : o.Summary;
    std::FILE* stream = OpenInPlace(path);
    if (stream == nullptr) {
        PrintError("Can not write summary file " + path);
        return false;
    }
    partial_ = std::make_unique<TOutput>(stream, "summary file " + path);
    partial_->KeepRowsWhole();
    stream_ = partial_.get();
    return true;
}

bool TSummaryTarget::WriteRow(std::string_view row) {
    if (!stream_->WriteRow(row))
        return false;
    if (file_)
        rows_ += row;
    return true;
}

bool TSummaryTarget::Close() {
    if (!partial_)
        return !stream_->Failed();
    if (!partial_->Close()) {
        PrintError(partial_->FailureMessage());
        return false;
    }
    if (!file_)
        return true;
    std::string reason;
    file_->Write(rows_); // a failure shows in the publication
    if (!file_->Publish(reason)) {
        PrintError("Can not write to summary file " + file_->Target() + ": " + reason +
                   "; its rows are in " + partialPath_);
        return false;
    }
    std::error_code ec;
    std::filesystem::remove(partialPath_, ec); // published: a copy left would only mislead
    return true;
}

} // namespace ppspin::cli
