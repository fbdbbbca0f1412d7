// What this copy of the runtime was loaded with: read once, while the script runs.
import { readScriptAddress, readTileConfig } from './settings.js';
import { labelsFor } from './labels.js';

export var TILES = readTileConfig(typeof window.TrackalbumTiles !== 'undefined' ? window.TrackalbumTiles : undefined);
export var SCRIPT = readScriptAddress(document.currentScript ? document.currentScript.src : '');
export var LABELS = labelsFor(SCRIPT.japanese);
