#include "pipeline/PictureListRows.h"

#include "platform/CFormat.h"

namespace trackalbum {

std::vector<PictureListRow> BuildPictureListRows(const PictureList& pictures) {
    std::vector<PictureListRow> rows;
    rows.reserve(pictures.GetCount());
    for (const PictureRecord& record : pictures) {
        PictureListRow row;
        row.FileName = record.GetFileName();
        row.Comment = record.GetComment();
        row.TakenTime = record.GetTakenTime().Format("%Y/%m/%d %H:%M:%S");
        row.Placed = record.IsPlaced();
        if (row.Placed) {
            row.Longitude = FormatC("%f", record.GetLongitude());
            row.Latitude = FormatC("%f", record.GetLatitude());
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace trackalbum
