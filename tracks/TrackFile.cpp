#include "tracks/TrackFile.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "base/AtomicFile.h"
#include "tracks/KmlExport.h"

namespace vantrel {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::size_t kHeaderSize = sizeof(TrackEntryTable);

// Puts every named entry into the list: name, and its colour as "%lu".
void ListEntries(TrackStore& store) {
    for (std::size_t k = 0; k < kTrackEntryCount; ++k) {
        const int row = static_cast<int>(k) + 1;
        const std::string name = EntryName(store.TrackTable[k]);
        if (name.empty()) {
            store.gridTrackName.SetCell(0, row, name);
            continue;
        }
        char color[24];
        std::snprintf(color, sizeof color, "%lu",
                      static_cast<unsigned long>(store.TrackTable[k].color));
        store.EnsureListRow(row);
        store.gridTrackName.SetCell(0, row, name);
        store.gridTrackName.SetCell(1, row, color);
    }
}

// Reads body lines into ScratchGrid rows from 0. False when a row does not
// begin with a complete line. A last row short of line breaks takes the
// rest of the text into the column it reached.
bool ParseRows(TrackStore& store, std::string_view text) {
    std::size_t pos = 0;
    int row = 0;
    do {
        std::size_t end = text.find(kLineEnd, pos);
        if (end == std::string_view::npos) return false;
        if (!store.EnsureScratchRow(row)) break;  // past the last addressable row
        for (int col = 0; col < store.ScratchGrid.ColCount(); ++col) {
            if (col > 0) end = text.find(kLineEnd, pos);
            const std::size_t stop = end == std::string_view::npos ? text.size() : end;
            store.ScratchGrid.SetCell(col, row, std::string(text.substr(pos, stop - pos)));
            pos = end == std::string_view::npos ? text.size() : end + kLineEnd.size();
        }
        ++row;
    } while (pos < text.size());
    return true;
}

void ShowFileError(TrackStore& store) {
    store.Transfer().TransferLength = 0;
    store.ClearTrackList();
    store.WriteHeadings();
    store.Messages().ShowMessage("File Error!", "Error");
}

}  // namespace

bool SavesAsKml(std::string_view path) {
    std::string extension = std::filesystem::path(path).extension().string();
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".kml";
}

std::string TrackFileBytes(const TrackStore& store, const CodePage& codePage) {
    std::string body;
    const TextGrid& grid = store.ScratchGrid;
    body.reserve(static_cast<std::size_t>(grid.RowCount()) * grid.ColCount() * 12);
    for (int row = 0; row < grid.RowCount(); ++row) {
        for (int col = 0; col < grid.ColCount(); ++col) {
            body += grid.Cell(col, row);
            body += kLineEnd;
        }
    }
    std::string bytes(kHeaderSize, '\0');
    std::memcpy(bytes.data(), store.TrackTable.data(), kHeaderSize);
    bytes += codePage.FromUtf8(body);
    return bytes;
}

bool SaveTracks(TrackStore& store, const std::string& path, const CodePage& codePage) {
    if (SavesAsKml(path)) {
        if (KmlExport(store, path)) return true;
        store.Messages().ShowMessage("Cannot Save File!", "Error");
        return false;
    }
    if (WriteFileAtomically(path, TrackFileBytes(store, codePage))) return true;
    store.Messages().ShowMessage("Cannot Open File!", "Error!");
    return false;
}

TrackFileResult OpenTrackFile(TrackStore& store, const std::string& path,
                              const CodePage& codePage) {
    store.ClearTrackList();
    store.WriteHeadings();
    std::error_code error;
    auto bytes = ReadFileBytes(path, error, kMaxTrackFileBytes);
    if (error == std::errc::file_too_large) {
        store.Messages().ShowMessage(TooLargeText(path, kMaxTrackFileBytes, "a track file"),
                                     "Error");
        return TrackFileResult::TooLarge;
    }
    if (!bytes) {
        store.Messages().ShowMessage("Cannot Access Trk file!", "Error");
        return TrackFileResult::CannotAccess;
    }
    return LoadTrackFileBytes(store, *bytes, codePage);
}

TrackFileResult LoadTrackFileBytes(TrackStore& store, std::string_view bytes,
                                   const CodePage& codePage) {
    // A file shorter than the header leaves the rest of the table as it was.
    const std::size_t headerBytes = std::min(bytes.size(), kHeaderSize);
    std::memcpy(store.TrackTable.data(), bytes.data(), headerBytes);
    ListEntries(store);

    std::string_view body = bytes.substr(headerBytes);
    const std::string text = codePage.ToUtf8(body.substr(0, body.find('\0')));
    if (!ParseRows(store, text)) {
        ShowFileError(store);
        return TrackFileResult::FileError;
    }
    // The count of body bytes read; the area never claims more than it holds.
    store.Transfer().TransferLength = std::min(body.size(), TransferArea::kSize);
    // Counts and distances follow the rows (files of earlier versions
    // counted a track's distance from the track before it).
    store.MeasureTracks();
    if (store.Transfer().TransferLength != 0) {
        store.ShowTrack(0);
        store.SetCanSave(true);
        if (auto color = TrackStore::ColorFromText(store.gridTrackName.Cell(1, 1)))
            store.CurrentTrackColor = *color;
    }
    return TrackFileResult::Loaded;
}

}  // namespace vantrel
