#pragma once
// The document archive: the class registration shared by every archive (file, undo snapshot,
// clipboard text) and the context that loading passes from parents to children.

class CDocumentIArchive;
class CDocumentOArchive;
class CFlashEditorDoc;
class CFlashEditorLayer;

// The document whose record is being read: the layers and repositories read take it as their
// owner. Set by each document load.
extern CFlashEditorDoc* g_DocumentBeingLoaded;
// The layer whose spans are being read: spans read with an owner take it. Set by each layer load.
extern CFlashEditorLayer* g_LayerBeingLoaded;

// Registers the 27 archived classes in their fixed order, which gives them the same class
// identifiers (0 to 26) in every archive; called first thing after the archive is made.
void RegisterArchiveTypes(CDocumentOArchive& ar);
void RegisterArchiveTypes(CDocumentIArchive& ar);
