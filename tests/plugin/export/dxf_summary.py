#!/usr/bin/python3
"""Reads a DXF file with ezdxf, audits it and prints what it holds as key=value lines."""
import sys

import ezdxf

doc = ezdxf.readfile(sys.argv[1])
auditor = doc.audit()
summary = {"audit_errors": len(auditor.errors), "faces3d": 0, "triangles3d": 0,
           "meshes": 0, "mesh_m": 0, "mesh_n": 0, "mesh_vertices": 0,
           "polyface_vertices": 0, "polyface_faces": 0, "polyface_corners": 0,
           "polyface_min_index": 0, "polyface_max_index": 0, "repeated_corners": 0}
for entity in doc.modelspace():
    kind = entity.dxftype()
    if kind == "3DFACE":
        summary["faces3d"] += 1
        corners = [tuple(entity.dxf.get(name)) for name in ("vtx0", "vtx1", "vtx2", "vtx3")]
        if corners[2] == corners[3]:
            summary["triangles3d"] += 1
            corners = corners[:3]
        if len(set(corners)) != len(corners):
            summary["repeated_corners"] += 1
    elif kind == "POLYLINE" and entity.is_polygon_mesh:
        summary["meshes"] += 1
        summary["mesh_m"] = entity.dxf.m_count
        summary["mesh_n"] = entity.dxf.n_count
        summary["mesh_vertices"] = len(entity.vertices)
    elif kind == "POLYLINE" and entity.is_poly_face_mesh:
        summary["meshes"] += 1
        indices = []
        for vertex in entity.vertices:
            if vertex.is_poly_face_mesh_vertex:
                summary["polyface_vertices"] += 1
            elif vertex.is_face_record:
                summary["polyface_faces"] += 1
                face = [abs(vertex.dxf.get(name, 0)) for name in ("vtx0", "vtx1", "vtx2", "vtx3")]
                face = [i for i in face if i != 0]
                summary["polyface_corners"] += len(face)
                if len(set(face)) != len(face):
                    summary["repeated_corners"] += 1
                indices += face
        if indices:
            summary["polyface_min_index"] = min(indices)
            summary["polyface_max_index"] = max(indices)
for key, value in summary.items():
    print("%s=%d" % (key, value))
