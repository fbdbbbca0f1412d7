// Control captions: Japanese when the script address carries hl=ja, English otherwise.

var JAPANESE = {
  normal: '地図', aerial: '航空写真', hybrid: '地図+写真',
  normalTitle: '地図を表示', aerialTitle: '航空写真を表示', hybridTitle: '航空写真に地図を重ねて表示',
  zoomIn: '拡大', zoomOut: '縮小', up: '北へ移動', down: '南へ移動', left: '西へ移動', right: '東へ移動',
  zoomBar: 'クリックまたはドラッグでズーム', overview: '概観地図の表示/非表示'
};

var ENGLISH = {
  normal: 'Map', aerial: 'Satellite', hybrid: 'Hybrid',
  normalTitle: 'Show street map', aerialTitle: 'Show satellite imagery', hybridTitle: 'Show imagery with street names',
  zoomIn: 'Zoom In', zoomOut: 'Zoom Out', up: 'Pan up', down: 'Pan down', left: 'Pan left', right: 'Pan right',
  zoomBar: 'Click or drag to zoom', overview: 'Show/hide the overview map'
};

export function labelsFor(japanese) {
  return japanese ? JAPANESE : ENGLISH;
}
